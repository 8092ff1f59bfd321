# A new Debian system made with debootstrap from the Debian archive this machine uses, for the
# tests that build or install the package on a Debian release of their own
# (tests/debian13/debian13-test.sh, tests/package/source-build-test.sh). Source it after
# scripts/setup.sh; then, as root,
#
#   make_system SUITE BOUND [PACKAGE,...]    makes the system in $system, bounded in time
#
# The system lives in a scratch folder ($scratch) that the EXIT trap make_system sets removes,
# with its mounts and every process started in it; dpkg there writes without syncing and man-db
# keeps no index: for speed only.

system=
mounts=()
bounded_pid=

# The archive of this machine's own Debian release (its security archive left aside).
debian_archive() {
    local host_codename mirror
    host_codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    archive_of() {
        apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 'Label: Debian' \
            "Codename: $host_codename" | head -n 1
    }
    mirror=$(archive_of)
    [ -n "$mirror" ] || { apt-get update -qq && mirror=$(archive_of); }
    [ -n "$mirror" ] ||
        { echo "FAIL: apt knows no Debian archive for $host_codename" >&2; return 1; }
    echo "$mirror"
}

# bounded BOUND COMMAND...: the command, ended after BOUND seconds (status 124). It runs in the
# background so that a signal to the script is handled at once, not once the command has ended.
bounded() {
    local bound=$1 status=0
    shift
    timeout --kill-after=30 "$bound" "$@" &
    bounded_pid=$!
    wait "$bounded_pid" || status=$?
    bounded_pid=
    return "$status"
}

# The processes whose root is the system: whatever a part left running there.
processes_inside() {
    local link pid
    for link in /proc/[0-9]*/root; do
        pid=${link#/proc/}
        pid=${pid%/root}
        [ "$(readlink "$link" 2>/dev/null)" = "$system" ] && echo "$pid"
    done
    return 0
}
stop_inside() {
    local pids
    mapfile -t pids < <(processes_inside)
    [ "${#pids[@]}" -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null || true
}
system_cleanup() {
    local i
    [ -z "$bounded_pid" ] || kill "$bounded_pid" 2>/dev/null || true
    stop_inside
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount --lazy "${mounts[i]}" ||
            echo "debian-system: could not unmount ${mounts[i]}" >&2
    done
    # Never into a mount still there: --one-file-system leaves it, and the folder stays.
    if findmnt -rn -o TARGET | grep -qF "$scratch/"; then
        echo "debian-system: $scratch keeps a mount and stays" >&2
    else
        rm -rf --one-file-system "$scratch"
    fi
}

# inside COMMAND...: the command as root in the system, with a plain environment.
inside() { chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

make_system() { # make_system SUITE BOUND [PACKAGE,...]
    local suite=$1 bound=$2 include=${3:-} mirror dir log
    scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/quendra-system.XXXXXX")
    scratch=$(cd "$scratch" && pwd -P) # as /proc/PID/root names it
    system=$scratch/system
    log=$scratch/debootstrap.log
    trap system_cleanup EXIT
    trap 'exit 130' INT TERM
    mirror=$(debian_archive)
    echo "== Debian $suite from $mirror"
    if ! bounded "$bound" debootstrap ${include:+--include="$include"} "$suite" "$system" \
        "$mirror" >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        [ -f "$system/debootstrap/debootstrap.log" ] &&
            tail -n 30 "$system/debootstrap/debootstrap.log" >&2
        echo "FAIL: debootstrap could not make the Debian $suite system" >&2
        return 1
    fi
    for dir in proc sys dev dev/pts dev/shm; do
        mount --bind "/$dir" "$system/$dir"
        mounts+=("$system/$dir")
        mount --make-private "$system/$dir" # nothing mounted there reaches the machine's own tree
    done
    cat >"$system/usr/sbin/policy-rc.d" <<'EOF'
#!/bin/sh
exit 101
EOF
    chmod 755 "$system/usr/sbin/policy-rc.d"
    echo force-unsafe-io >"$system/etc/dpkg/dpkg.cfg.d/quendra-speed"
    echo 'man-db man-db/auto-update boolean false' | inside debconf-set-selections
}

# add_user NAME: an ordinary user of the system who may use sudo without a password.
add_user() {
    inside useradd --create-home --shell /bin/bash --groups sudo "$1"
    echo "$1 ALL=(ALL:ALL) NOPASSWD: ALL" >"$system/etc/sudoers.d/$1"
    chmod 440 "$system/etc/sudoers.d/$1"
}

# as_user USER BOUND LOG COMMAND: the command in a login shell of the user, umask 0002, in a UTF-8
# locale, bounded; its output in LOG. Whatever it leaves running is ended.
as_user() {
    local user=$1 bound=$2 log=$3 status=0
    bounded "$bound" chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        TERM=dumb runuser --login "$user" --command "umask 0002; export LANG=C.UTF-8; $4" \
        </dev/null >"$log" 2>&1 || status=$?
    stop_inside
    return "$status"
}

failures=0
part() { # part NAME STATUS: says how a part ended
    local name=$1 status=$2
    if [ "$status" -eq 0 ]; then
        echo "ok: $name"
        return 0
    fi
    failures=$((failures + 1))
    [ "$status" -eq 124 ] && echo "FAIL: $name: not ended after its bound" >&2 ||
        echo "FAIL: $name: exit status $status" >&2
}
