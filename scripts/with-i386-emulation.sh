#!/usr/bin/env bash
# Runs a command with 32-bit x86 programs handed to qemu's user-mode emulator, for kernels
# that cannot run them. Start it in a user and mount namespace of its own
# (`unshare --user --map-root-user --mount`): there it mounts a private binfmt_misc
# instance (Linux 6.7 and later) and registers the emulator for i386 ELF programs, so the
# machine's own registrations are never touched and the registration ends with the command.
set -euo pipefail

binfmt=/proc/sys/fs/binfmt_misc
if ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
  echo "cannot mount a private binfmt_misc (it needs Linux 6.7 or later)" >&2
  exit 3
fi
# ELF, 32-bit, little-endian, an executable or a shared object, for i386 (or i486).
# F: the kernel opens the emulator at once, as the file it is now.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
if ! echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"; then
  echo "cannot register qemu-i386-static with binfmt_misc" >&2
  exit 3
fi
exec "$@"
