#!/usr/bin/env bash
# The README's apt-get line for a person who cannot install packages names exactly those that
# scripts/run and scripts/test --quick install, and xauth for xvfb-run.
set -euo pipefail
source "$(dirname "$0")/../../scripts/setup.sh"

# The words after "install -y" of the README's indented "apt-get update && apt-get install" line
# and its continuation lines, one a line.
named=$(sed -n '/^    apt-get update && apt-get install -y /,/[^\\]$/p' "$QUENDRA_ROOT/README.md" |
    sed 's/.*install -y //' | tr -d '\\' | tr -s ' ' '\n' | sed '/^$/d' | sort -u)
wanted=$(printf '%s\n' "${QUENDRA_PACKAGES[@]}" "${QUENDRA_TEST_PACKAGES[@]}" xauth | sort -u)
if [ "$named" != "$wanted" ]; then
    echo "The README's apt-get line is not what the scripts install (< README, > scripts):" >&2
    diff <(echo "$named") <(echo "$wanted") >&2 || true
    exit 1
fi
echo "ok: the README names the $(wc -l <<<"$wanted") packages"
