#!/usr/bin/env bash
# The packages are the same bytes whoever rebuilds them. The .deb and the zips and installers of
# the 32-bit and 64-bit Windows builds, made as scripts/package and scripts/package-windows make
# them, are made once more by Debian's reprotest from a copy of the checkout in a folder whose
# path has a space, under other conditions: another build path, a clock 400 days on, another time
# zone, locale, umask, HOME, PATH and environment, host and domain name, kernel as uname reports
# it, CPUs and, where FUSE can be used, another order of the files in every directory. reprotest
# compares the two byte for byte (diffoscope shows what differs; cmp names each package's first
# difference). Then no file the packages ship may hold the path of either build's folders, their
# host names or their user names.
#
#   tests/package/rebuild-test.sh [DEB]    DEB: the first build's .deb; by default scripts/package's
#
# The .deb is built without running the tests at build time (DEB_BUILD_OPTIONS=nocheck), as the
# tests leave no trace in it. The first build reuses what the tests built where it can: the .deb
# given, build-win32-pkg/ (scripts/windows-test makes it) and the 64-bit libraries of
# build-win/. The second builds all that ships in folders of its own, the 32-bit Windows
# libraries included, whose build path mattered; the 64-bit libraries, built by the same lines of
# scripts/windows-libraries, it copies from the first build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/setup.sh"
checkout_name="rebuilt checkout"
user_marker=quendra_rebuilder

# make_packages LOG SCRIPT [ARGUMENT...]: runs a package script with its output in LOG and copies
# the packages it prints into $out.
make_packages() {
    local log=$1 line
    shift
    bash "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "rebuild-test: $* failed" >&2; exit 1; }
    while IFS= read -r line; do
        case $line in *.deb | *.zip | *.exe) cp "$line" "$out/" ;; esac
    done < <(tail -n 2 "$log")
}

# The second build, run by reprotest in its copy of the checkout, with the Windows libraries'
# Debian sources and the built 64-bit libraries of the first (the second build's own namespace
# keeps apt from fetching):
#   rebuild-test.sh --second-build OUT FIRST-CHECKOUT
if [ "${1:-}" = --second-build ]; then
    out=$2
    unset QUENDRA_BUILD # a folder of the first build's caller
    mkdir -p "$out" build-win32-pkg/libraries build-win64-pkg/libraries
    cp -a "$3/build-win32-pkg/libraries/src" build-win32-pkg/libraries/
    cp -a "$3/build-win64-pkg/libraries/x86_64" build-win64-pkg/libraries/
    DEB_BUILD_OPTIONS=nocheck make_packages deb.log scripts/package
    make_packages win32.log scripts/package-windows 32
    make_packages win64.log scripts/package-windows 64
    exit 0
fi

started=$(date +%s)
ensure_packages reprotest diffoscope-minimal disorderfs faketime dpkg-dev unzip binutils git
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quendra-rebuild.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# The last commit's time, for both builds: the copy is no git checkout.
package_settings

echo "== the first build"
first=$scratch/first
out=$first/source-root/out # where reprotest looks for a build's packages
mkdir -p "$out"
# The 64-bit libraries scripts/windows-test built, where the 64-bit packages have none yet.
tested64=${QUENDRA_WIN_BUILD:-$QUENDRA_ROOT/build-win}/libraries/x86_64
packaged64=$QUENDRA_ROOT/build-win64-pkg/libraries
if [ ! -e "$packaged64/x86_64" ] && [ -d "$tested64" ]; then
    mkdir -p "$packaged64"
    cp -a "$tested64" "$packaged64/"
fi
if [ -n "${1:-}" ]; then
    cp "$1" "$out/"
else
    DEB_BUILD_OPTIONS=nocheck make_packages "$scratch/deb.log" "$QUENDRA_ROOT/scripts/package"
fi
make_packages "$scratch/win32.log" "$QUENDRA_ROOT/scripts/package-windows" 32
make_packages "$scratch/win64.log" "$QUENDRA_ROOT/scripts/package-windows" 64
ls "$out"

# The checkout's files as they are, committed or not, in a folder whose name has a space.
source_root=$scratch/source
mkdir -p "$source_root/$checkout_name"
(cd "$QUENDRA_ROOT" && git ls-files -z -co --exclude-standard | while IFS= read -r -d '' file; do
    [ -e "$file" ] && printf '%s\0' "$file"
done | xargs -0 cp --parents -a -t "$source_root/$checkout_name")

# What this machine allows of reprotest's variations: another user needs a second account and
# sudo, and is left out; the file order needs FUSE, the host name a namespace of its own.
variations="+all,-user_group,time.faketimes+=+400days"
variations+=",environment.variables+=USER=$user_marker,environment.variables+=LOGNAME=$user_marker"
mkdir "$scratch/fuse-probe" "$scratch/fuse-mount"
if disorderfs -q "$scratch/fuse-probe" "$scratch/fuse-mount" 2>/dev/null; then
    fusermount -u "$scratch/fuse-mount"
else
    variations+=",-fileordering"
fi
unshare -r --uts true 2>/dev/null || variations+=",-domain_host"
echo "== the second build, by reprotest: $variations"
status=0
second_build="cd \"$checkout_name\" && bash tests/package/rebuild-test.sh --second-build ../out"
reprotest --verbosity 1 --store-dir "$scratch/store" --control-build "$first" \
    --variations "$variations" --build-command "$second_build \"$QUENDRA_ROOT\"" \
    "$source_root" 'out/*' >"$scratch/reprotest.log" 2>&1 || status=$?
failures=0
second=$scratch/store/experiment-1/source-root/out
if [ "$status" -eq 0 ]; then
    sed -n '/^Reproduction successful/,$p' "$scratch/reprotest.log" |
        grep -v '^However, other factors'
elif [ -d "$second" ]; then
    for package in "$out"/*; do
        name=${package##*/}
        if [ ! -f "$second/$name" ]; then
            echo "FAIL: the second build made no $name" >&2
        elif difference=$(cmp "$package" "$second/$name"); then
            echo "ok: $name, the same bytes"
        else
            difference=${difference##*differ: byte }
            echo "FAIL: $name differs from byte ${difference%%,*} on" >&2
        fi
    done
    # The full report where it stays; here its headings and text, not its hex dumps.
    report=$QUENDRA_BUILD/rebuild-test.diffoscope.txt
    mkdir -p "$QUENDRA_BUILD"
    cp "$scratch/store/experiment-1.diffoscope.out" "$report"
    echo "diffoscope's report ($report), without its hex dumps:" >&2
    grep -vE '^[│├└ ]*[-+ ][0-9a-f]{8}: ' "$report" | head -n 150 >&2
    failures=1
else
    echo "FAIL: reprotest could not make the second build; the end of its log:" >&2
    tail -n 60 "$scratch/reprotest.log" >&2
    failures=1
fi

# --- what the packages ship --------------------------------------------------------------------
# Every file of the .deb and the zips unpacked, and the packages themselves (the installers'
# files are the zips', packed by LZMA: the installer test compares them once installed).
shipped=$scratch/shipped
mkdir -p "$shipped"
for package in "$out"/*; do
    case $package in
    *.deb) dpkg-deb -x "$package" "$shipped/${package##*/}"
           dpkg-deb -e "$package" "$shipped/${package##*/}/DEBIAN" ;;
    *.zip) unzip -q "$package" -d "$shipped/${package##*/}" ;;
    esac
done
mkdir "$shipped/packages"
cp "$out"/* "$shipped/packages/"
# The names either build could leave behind: its folders' paths (this checkout's, holding the
# build folders, and the second build's, with the link the Windows libraries are built through),
# its host, domain and user names, HOME, PATH and environment. Names shorter than 8 characters
# (a user "root", a host "vm") are not looked for: they occur by chance in any program.
markers=("$QUENDRA_ROOT/" build-experiment- "$checkout_name" quendra-libraries.
         reprotest-capture-hostname reprotest-capture-domainname "$user_marker"
         /nonexistent/second-build i_capture_the "$(uname -n)" "$(id -un)" "${HOME:-/}/")
printf '%s\n' "${markers[@]}" | awk 'length >= 8' >"$scratch/markers"
found=0
while IFS= read -r -d '' file; do
    # As bytes (UTF-8 and the like) and as Windows' UTF-16 strings (resources, wide literals).
    if names=$({ grep -aoF -f "$scratch/markers" "$file" || true
                 strings -a -el "$file" | grep -oF -f "$scratch/markers" || true; } | sort -u) &&
        [ -n "$names" ]; then
        echo "FAIL: ${file#"$shipped"/} holds $(tr '\n' ' ' <<<"$names")" >&2
        found=1
    fi
done < <(find "$shipped" -type f -print0)
if [ "$found" -eq 0 ]; then
    echo "ok: no shipped file holds a build folder's path, a host or a user name:" \
        "$(paste -sd' ' "$scratch/markers")"
else
    failures=1
fi
echo "rebuild-test: $(($(date +%s) - started)) s"
exit "$failures"
