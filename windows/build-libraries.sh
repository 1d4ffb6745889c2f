#!/bin/sh
# The libraries under the Windows game, cross-built from their source archives after checking
# each against the sums kept beside this script: SDL 1.2.15 with Debian's patches as SDL.dll (a
# player may replace it, as its LGPL asks), FreeType and SDL_ttf as static libraries that the
# game links in. The result is kept under CACHE_FOLDER, keyed by the sums and this script, so a
# second build finds it ready.
# windows/build-libraries.sh ARCHIVE_FOLDER CACHE_FOLDER   (prints the folder of the libraries)
# windows/build-libraries.sh --check ARCHIVE_FOLDER          (only checks the archives)
# Exit status 3: an archive is missing or not the one expected.
set -eu
here=$(cd "$(dirname "$0")" && pwd -P)
checkOnly=false
if [ "$1" = --check ]; then
    checkOnly=true
    shift
fi
archives=$(realpath -m "$1")
host=x86_64-w64-mingw32

# Where each archive comes from, for the one line that says it is missing.
origin() {
    case "$1" in
        libsdl1.2_*) echo "Debian's source package libsdl1.2 1.2.15+dfsg2-8," \
            "https://deb.debian.org/debian/pool/main/libs/libsdl1.2/" ;;
        freetype_*) echo "Debian's source package freetype 2.13.3+dfsg," \
            "https://deb.debian.org/debian/pool/main/f/freetype/" ;;
        SDL_ttf-*) echo "git archive of SDL_ttf's tag release-2.0.11," \
            "as the project's shared third-party folder holds it" ;;
    esac
}
while read -r sum name; do
    if [ ! -f "$archives/$name" ]; then
        echo "zarn: missing $archives/$name: get it from $(origin "$name")," \
            "or set ZARN_THIRD_PARTY to the folder that holds it" >&2
        exit 3
    fi
    if [ "$(sha256sum <"$archives/$name" | cut -d' ' -f1)" != "$sum" ]; then
        echo "zarn: $archives/$name is not the archive the build expects (SHA-256 $sum):" \
            "get it again from $(origin "$name")" >&2
        exit 3
    fi
done <"$here/third-party.sha256"
$checkOnly && exit 0
cache=$(realpath -m "$2")
# Checkouts may share the cache: while one builds the libraries, the others wait for them.
mkdir -p "$(dirname "$cache")"
exec 9>"$cache.lock"
flock 9

key=$(cat "$here/third-party.sha256" "$0" | sha256sum | cut -c1-16)
prefix=$cache/$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$cache" # libraries of other sources or another recipe
mkdir -p "$prefix/licences" "$cache/work"
work=$cache/work
jobs=$(nproc 2>/dev/null || echo 2)
# The same bytes from any folder at any time: no paths, no debugging information, no time stamps.
CFLAGS="-O2 -ffile-prefix-map=$work=."
# The win32 thread model: the posix one would add libwinpthread-1.dll.
CC=$host-gcc-win32
# Each library has its own log; on a failure, its end is shown.
run() {
    log=$work/$1.log
    shift
    "$@" >>"$log" 2>&1 || {
        tail -n 40 "$log" >&2
        echo "zarn: building the Windows libraries failed: $*" >&2
        exit 1
    }
}
echo "Building SDL 1.2, FreeType and SDL_ttf for Windows into $prefix" >&2

# SDL and FreeType side by side.
(
    cd "$work"
    run sdl tar xzf "$archives/libsdl1.2_1.2.15+dfsg2.orig.tar.gz"
    run sdl tar xJf "$archives/libsdl1.2_1.2.15+dfsg2-8.debian.tar.xz"
    # Debian's patches but one: it drops the -lSDLmain -mwindows that a Windows program needs.
    grep -v -e '^#' -e '^dont_propagate_lpthread.diff$' debian/patches/series \
        >"$prefix/sdl-patches.txt"
    while read -r patch; do
        run sdl patch -d SDL-1.2.15 -p1 --no-backup-if-mismatch -i "$work/debian/patches/$patch"
    done <"$prefix/sdl-patches.txt"
    cd SDL-1.2.15
    # The game draws in a window with GDI (SDL's windib driver) and reads the keyboard, the mouse
    # and the pads (through winmm, as DirectX is left out): SDL leaves out sound, CDs, DirectX
    # and OpenGL. It is built without its configure and libtool, which were half its build's
    # time: these are what its configure finds for this host and these options, as it writes them
    # into SDL_config.h, and the sources that its Makefile then compiles into SDL.dll.
    found="SDL_HAS_64BIT_TYPE SDL_BYTEORDER=1234 HAVE_LIBC HAVE_SYS_TYPES_H HAVE_STDIO_H
        STDC_HEADERS HAVE_STDLIB_H HAVE_STDARG_H HAVE_MALLOC_H HAVE_MEMORY_H HAVE_STRING_H
        HAVE_STRINGS_H HAVE_INTTYPES_H HAVE_STDINT_H HAVE_CTYPE_H HAVE_MATH_H HAVE_SIGNAL_H
        HAVE_MALLOC HAVE_CALLOC HAVE_REALLOC HAVE_FREE HAVE_GETENV HAVE_PUTENV HAVE_QSORT HAVE_ABS
        HAVE_MEMSET HAVE_MEMCPY HAVE_MEMMOVE HAVE_STRLEN HAVE_STRDUP HAVE__STRREV HAVE__STRUPR
        HAVE__STRLWR HAVE_STRCHR HAVE_STRRCHR HAVE_STRSTR HAVE_ITOA HAVE__LTOA HAVE__ULTOA
        HAVE_STRTOL HAVE_STRTOUL HAVE__I64TOA HAVE__UI64TOA HAVE_STRTOLL HAVE_STRTOULL HAVE_ATOI
        HAVE_ATOF HAVE_STRCMP HAVE_STRNCMP HAVE__STRICMP HAVE_STRCASECMP HAVE__STRNICMP
        HAVE_STRNCASECMP HAVE_SSCANF HAVE_SNPRINTF HAVE_VSNPRINTF HAVE_SETJMP SDL_AUDIO_DISABLED
        SDL_CDROM_DISABLED SDL_JOYSTICK_WINMM SDL_LOADSO_WIN32 SDL_THREAD_WIN32 SDL_TIMER_WIN32
        SDL_VIDEO_DRIVER_DUMMY SDL_VIDEO_DRIVER_WINDIB SDL_VIDEO_DISABLE_SCREENSAVER
        SDL_ASSEMBLY_ROUTINES"
    defines=$(for name in $found; do
        value=${name#*=}
        [ "$value" = "$name" ] && value=1
        echo "s/^#undef ${name%%=*}\$/#define ${name%%=*} $value/"
    done)
    sed -e "$defines" -e 's|^#undef .*|/* & */|' include/SDL_config.h.in >include/SDL_config.h
    sources=$(printf '%s\n' ./src/*.c ./src/audio/*.c ./src/cdrom/*.c ./src/cpuinfo/*.c \
        ./src/events/*.c ./src/file/*.c ./src/stdlib/*.c ./src/thread/*.c ./src/timer/*.c \
        ./src/video/*.c ./src/joystick/*.c ./src/video/dummy/*.c ./src/video/wincommon/*.c \
        ./src/video/windib/*.c ./src/joystick/win32/*.c ./src/thread/win32/SDL_sysmutex.c \
        ./src/thread/win32/SDL_syssem.c ./src/thread/win32/SDL_systhread.c \
        ./src/thread/generic/SDL_syscond.c ./src/timer/win32/*.c ./src/loadso/win32/*.c \
        ./src/cdrom/dummy/*.c)
    mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include/SDL"
    # GCC writes each object into this folder, named after its source.
    # shellcheck disable=SC2086 # $CFLAGS is a list of flags
    echo "$sources" | run sdl xargs -P "$jobs" -n 8 "$CC" $CFLAGS -Iinclude -D_GNU_SOURCE=1 \
        -DDLL_EXPORT -c
    run sdl $host-windres src/main/win32/version.rc -o version.o
    # A name without the folder: the base address that ld picks for the DLL comes from it.
    # shellcheck disable=SC2046 # a list of files
    run sdl "$CC" -shared -s -Wl,--no-insert-timestamp,--enable-auto-image-base \
        $(echo "$sources" | sed 's|.*/\(.*\)\.c$|\1.o|') version.o -luser32 -lgdi32 -lwinmm \
        -o SDL.dll -Wl,--out-implib,libSDL.dll.a
    cp SDL.dll "$prefix/bin/"
    cp libSDL.dll.a "$prefix/lib/"
    for header in $(sed -n 's/^HDRS = //p' Makefile.in) SDL_config.h; do
        cp "include/$header" "$prefix/include/SDL/"
    done
    cp COPYING "$prefix/licences/SDL-COPYING.txt"
) &
sdl=$!
(
    cd "$work"
    run freetype tar xJf "$archives/freetype_2.13.3+dfsg.orig.tar.xz"
    cd freetype-2.13.3
    # The game draws one TrueType font in one colour: FreeType keeps its TrueType driver, the
    # autohinter and the renderers, and leaves out the readers of other font formats, which only
    # a damaged or hostile font file would reach. Built as FreeType's docs/INSTALL.ANY says, one
    # file a module, without its configure: two thirds of the time its own build takes.
    mkdir -p zarn "$prefix/lib" "$prefix/include/freetype2"
    cat >zarn/ftmodule.h <<'MODULES'
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
FT_USE_MODULE( FT_Renderer_Class, ft_raster1_renderer_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
MODULES
    for source in builds/windows/ftsystem.c builds/windows/ftdebug.c src/base/ftinit.c \
        src/base/ftbase.c src/truetype/truetype.c src/sfnt/sfnt.c src/autofit/autofit.c \
        src/smooth/smooth.c src/raster/raster.c src/gzip/ftgzip.c src/psnames/psnames.c \
        $(sed -n 's/^BASE_EXTENSIONS += \(.*\)$/src\/base\/\1/p' modules.cfg); do
        # shellcheck disable=SC2086 # $CFLAGS is a list of flags
        run freetype "$CC" $CFLAGS -DFT2_BUILD_LIBRARY -DFT_CONFIG_MODULES_H='<ftmodule.h>' \
            -Izarn -Iinclude -c "$source" -o "zarn/$(basename "$source" .c).o"
    done
    run freetype $host-ar rcD "$prefix/lib/libfreetype.a" zarn/*.o
    cp -R include/ft2build.h include/freetype "$prefix/include/freetype2/"
    cp docs/FTL.TXT "$prefix/licences/FreeType-FTL.txt"
) &
freetype=$!
status=0
wait "$sdl" || status=$?
wait "$freetype" || status=$?
[ "$status" -eq 0 ] || exit "$status"

# SDL_ttf is one source file; its configure would look for the host's freetype-config.
cd "$work"
run sdl_ttf tar xzf "$archives/SDL_ttf-2.0.11.tar.gz"
cd SDL_ttf-2.0.11
# shellcheck disable=SC2086 # $CFLAGS is a list of flags
run sdl_ttf "$CC" $CFLAGS -c SDL_ttf.c -I"$prefix/include/SDL" -I"$prefix/include/freetype2" \
    -o SDL_ttf.o
run sdl_ttf $host-ar rcD "$prefix/lib/libSDL_ttf.a" SDL_ttf.o
cp SDL_ttf.h "$prefix/include/SDL/"
cp COPYING "$prefix/licences/SDL_ttf-COPYING.txt"

rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
