#!/usr/bin/env bash
# Sets up 32-bit Wine for the i686 end-to-end tests (tools/wine32-run) on this
# Debian machine, as root; does only what is missing, so it runs before every
# test run:
#   - the i386 architecture and its C library;
#   - where the kernel does not start i386 programs itself: qemu-user-static
#     and a binfmt_misc entry that starts them through qemu-i386-static;
#   - wine32:i386, once i386 programs run, with its loader moved into a folder
#     of its own beside a copy of the 64-bit loader.
# The move keeps the `wine` command as it was: it picks /usr/lib/wine/wine
# whenever that exists, and would then start every program, 64-bit ones
# too, through the emulated 32-bit loader (a minute or more each, and in a
# prefix booted without 32-bit support not at all). Each loader finds the
# other in the folder of its own file, so the pair there runs 32-bit
# programs that start 64-bit ones and the other way round.
# Where the kernel refuses binfmt_misc this says why and ends with 0: the
# 32-bit tests then report themselves skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh

loaders=/usr/lib/dremoxa7-wine32
binfmt=/proc/sys/fs/binfmt_misc
# The ELF header of an i386 executable or shared object, as qemu registers it.
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# The i386 dynamic loader is itself a program: it runs when i386 programs do.
i386_runs() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

register_qemu_i386() {
  if [[ ! -e $binfmt/register ]] && ! mount -t binfmt_misc binfmt_misc "$binfmt"; then
    echo "wine32-setup: the kernel refused to mount binfmt_misc at $binfmt" >&2
    return 1
  fi
  if [[ -e $binfmt/qemu-i386 ]]; then
    # An entry of that name that does not run them: replace it.
    echo -1 >"$binfmt/qemu-i386" || return 1
  fi
  # F: the kernel opens the interpreter now, so it serves every mount namespace.
  if ! printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:F' "$i386_magic" "$i386_mask" \
    >"$binfmt/register"; then
    echo "wine32-setup: the kernel refused the i386 entry in $binfmt/register" >&2
    return 1
  fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update
fi
ensure_packages libc6:i386

if ! i386_runs; then
  ensure_packages qemu-user-static
  if ! register_qemu_i386 || ! i386_runs; then
    echo "wine32-setup: this kernel runs no i386 programs; the 32-bit Wine tests will be skipped" >&2
    exit 0
  fi
  echo "wine32-setup: i386 programs run through qemu-i386-static (binfmt_misc)"
fi

mkdir -p "$loaders"
if [[ $(dpkg-divert --truename /usr/lib/wine/wine) != "$loaders/wine" ]]; then
  dpkg-divert --local --rename --divert "$loaders/wine" --add /usr/lib/wine/wine
fi
ensure_packages wine32:i386
# A copy, not a link: Wine takes its folder from the real path of its file.
if ! cmp -s /usr/lib/wine/wine64 "$loaders/wine64"; then
  cp /usr/lib/wine/wine64 "$loaders/wine64"
fi
