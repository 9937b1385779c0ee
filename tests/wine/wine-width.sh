#!/bin/sh
# Prints the Windows width whose programs Wine can run here: i686 where the kernel runs
# 32-bit Linux programs (Wine's 32-bit side is one), x86_64 where it does not.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo i686
else
  echo x86_64
fi
