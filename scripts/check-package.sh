#!/usr/bin/env bash
# Builds the Debian package in build-package (installing under /usr, with Debian's hardening
# flags) and checks it:
# - lintian reports no errors; the desktop entry and the AppStream metainfo validate;
# - the man page and the bash completion know every command and option of kivnvm --help;
# - apt can satisfy its dependencies;
# - unpacked into a folder, as a DESTDIR install lays it out: kivnvm --version works, kivnvm
#   finds the virtual phone in the private folder, and KivManager opens its window under
#   Xvfb on the demo phone without an error box.
# With --install it also installs the package with apt-get, runs the same checks on the
# installed programs and removes the package again.
#   scripts/check-package.sh [--install]
set -euo pipefail
cd "$(dirname "$0")/.."

install=false
if [ "${1:-}" = "--install" ]; then install=true; fi

scripts/setup.sh package
build=build-package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/setup.sh package "$build" --target kiv_install_files \
  -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DKIV_PCH=ON -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_SHARED_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
rm -f "$build"/kiv-manager_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/kiv-manager_*.deb)"
version="$(dpkg-deb -f "$deb" Version)"
echo "== $deb"

failed=()
fail() {
  echo "FAILED: $*" >&2
  failed+=("$1")
}

work="$(mktemp -d)"
cleanup() {
  if $install; then apt-get purge -y -qq kiv-manager >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"

root="$work/root"
dpkg-deb -x "$deb" "$root"
echo "== desktop entry and metainfo"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

echo "== man page and completion against kivnvm --help"
usage="$(KIV_LANG=en "$root/usr/bin/kivnvm" --help)"
man_page="$(zcat "$root"/usr/share/man/man1/kivnvm.1.gz)"
completion="$(cat "$root/usr/share/bash-completion/completions/kivnvm")"
for command in $(sed -n 's/^  \([a-z][a-z0-9]*\) .*/\1/p' <<<"$usage"); do
  grep -Eq "^\.B[IR]? $command( |$)" <<<"$man_page" || fail "kivnvm.1 lacks the command $command"
  grep -Eq "^  local commands=.*\b$command\b" <<<"$completion" ||
    fail "the completion lacks the command $command"
done
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
  grep -qF -- "${option//-/\\-}" <<<"$man_page" || fail "kivnvm.1 lacks the option $option"
  grep -qw -- "$option" <<<"$completion" || fail "the completion lacks the option $option"
done

echo "== dependencies"
apt-get install -s "./$deb" >/dev/null || fail "apt cannot satisfy the dependencies"

# The programs in bin_dir: the version, the virtual phone found in the private folder, and
# the manager's window on the demo phone.
check_programs() {
  local bin_dir="$1" phone="$work/phone-$2"
  local shown
  shown="$("$bin_dir/kivnvm" --version)"
  [ "$shown" = "kivnvm $version" ] || fail "$2: kivnvm --version says '$shown'"
  "$bin_dir/kivnvm" demo "$phone" 2>/dev/null || fail "$2: kivnvm demo"
  GBP_PHONE_DIR="$phone" "$bin_dir/kivnvm" list --sizes-only >/dev/null ||
    fail "$2: kivnvm does not reach the virtual phone"
  # The top-level windows ("0x200006 "Kiv Manager 2.0": ("KivManager" ...) ..."), once the
  # main window (titled, of the program's class) or an error box is up.
  shown="$(cd "$work" && GBP_PHONE_DIR="$phone" xvfb-run -a sh -c '
    "$1" & manager=$!
    for _ in $(seq 30); do
      sleep 1
      windows="$(xwininfo -root -children)"
      case "$windows" in *"\"Kiv Manager"*"\": (\"KivManager\""* | *"\"ERROR\""*) break ;; esac
    done
    echo "$windows"
    kill $manager' sh "$bin_dir/KivManager")"
  grep -q '"Kiv Manager[^"]*": ("KivManager"' <<<"$shown" ||
    fail "$2: KivManager showed no window: $shown"
  if grep -q '"ERROR"' <<<"$shown"; then fail "$2: KivManager showed an error box"; fi
}

echo "== unpacked in a folder"
check_programs "$root/usr/bin" unpacked

if $install; then
  echo "== installed with apt-get"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null ||
    fail "apt-get install"
  check_programs /usr/bin installed
fi

if ((${#failed[@]})); then
  echo "Package check failed: ${#failed[@]} problems" >&2
  exit 1
fi
echo "Package check passed: $deb"
