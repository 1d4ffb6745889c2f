#!/bin/sh
# The C++ as the repo's .clang-format lays it out, the shell scripts as shellcheck reads them, and
# the JavaScript as ESLint reads it and Prettier lays it out (both pinned in web/package.json);
# shell, HTML and CSS lines of at most 100 columns.
# tests/lint.sh SOURCE_FOLDER
set -eu
cd "$1"
status=0
sources() {
    find src tests tools bench fuzz windows web cross -name node_modules -prune -o "$@" -print
}
if sources \( -name '*.cpp' -o -name '*.h' \) | xargs clang-format --dry-run -Werror; then
    echo "the C++ is formatted"
else
    echo "FAIL: the C++ above is not formatted: clang-format -i FILE lays it out"
    status=1
fi
if { sources -name '*.sh'; echo .ci/run; } | xargs shellcheck; then
    echo "the shell scripts pass shellcheck"
else
    status=1
fi
# Lines of at most 100 columns in what no formatter lays out: the shell scripts and the page.
long=$({ sources -name '*.sh'; echo .ci/run; sources \( -name '*.html' -o -name '*.css' \); } |
    xargs awk 'length > 100 { print FILENAME ":" FNR }')
if [ -z "$long" ]; then
    echo "the shell scripts and the page keep to 100 columns"
else
    echo "FAIL: lines over 100 columns: $long"
    status=1
fi
if (cd web && node_modules/.bin/eslint . && node_modules/.bin/prettier --check --log-level warn \
    "**/*.{js,mjs}"); then
    echo "the JavaScript passes ESLint and is formatted"
else
    echo "FAIL: the JavaScript above: (cd web && npx prettier --write FILE) lays it out"
    status=1
fi
exit "$status"
