#!/bin/sh
# The C++ as the repo's .clang-format lays it out, the shell scripts as shellcheck reads them, and
# the JavaScript as ESLint reads it and Prettier lays it out (both pinned in web/package.json).
# tests/lint.sh SOURCE_FOLDER
set -eu
cd "$1"
status=0
sources() {
    find src tests tools bench fuzz windows web arm64 -name node_modules -prune -o "$@" -print
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
if (cd web && node_modules/.bin/eslint . && node_modules/.bin/prettier --check --log-level warn \
    "**/*.{js,mjs}"); then
    echo "the JavaScript passes ESLint and is formatted"
else
    echo "FAIL: the JavaScript above: (cd web && npx prettier --write FILE) lays it out"
    status=1
fi
exit "$status"
