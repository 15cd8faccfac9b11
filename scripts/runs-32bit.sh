#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 Linux programs (the kernel's IA32 emulation is on): only
# then can Wine run 32-bit Windows programs. Some machines of this kind refuse them.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '.globl _start\n_start: movl $1,%%eax; movl $0,%%ebx; int $0x80\n' | as --32 -o "$dir/probe.o" - 2>/dev/null &&
    ld -m elf_i386 "$dir/probe.o" -o "$dir/probe" 2>/dev/null && "$dir/probe" 2>/dev/null
