#!/usr/bin/env python3
"""CPU share of the live show on a pseudo-terminal that reads as fast as it can.

    python3 bench/live_cpu.py [--seconds 30] [--size 160x50] [-- KORVEL OPTIONS...]

Runs build/korvel (KORVEL_BIN overrides) from the current directory, which must
hold data/, reads everything it writes, then presses Escape; prints the process's
user and system CPU over the run as a share of one core, the frames and bytes seen.
Goal in the block look at 60 frames a second: under 10 % of a core.
"""
import argparse
import fcntl
import os
import pty
import select
import struct
import sys
import termios
import time


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks  # utime, stime


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--size", default="160x50")
    parser.add_argument("--warmup", type=float, default=3.0)
    parser.add_argument("options", nargs="*")
    args = parser.parse_args()
    columns, rows = (int(v) for v in args.size.split("x"))
    binary = os.environ.get("KORVEL_BIN", "build/korvel")
    pid, fd = pty.fork()
    if pid == 0:
        os.environ.setdefault("TERM", "xterm-256color")
        os.execv(binary, [binary] + args.options)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))
    start = time.monotonic()
    measured_from = None
    cpu_from = 0.0
    seen = 0
    frames = 0
    while time.monotonic() - start < args.warmup + args.seconds:
        if measured_from is None and time.monotonic() - start >= args.warmup:
            measured_from = time.monotonic()
            cpu_from = cpu_seconds(pid)
            seen = 0
            frames = 0
        ready, _, _ = select.select([fd], [], [], 0.05)
        if ready:
            try:
                data = os.read(fd, 1 << 16)
            except OSError:
                break
            seen += len(data)
            frames += data.count(b"\x1b[?2026h")
    wall = time.monotonic() - measured_from
    cpu = cpu_seconds(pid) - cpu_from
    os.write(fd, b"\x1b")
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.05)
        if ready:
            try:
                if not os.read(fd, 1 << 16):
                    break
            except OSError:
                break
    os.waitpid(pid, 0)
    print(f"options: {' '.join(args.options) or '(none)'}  terminal {columns}x{rows}")
    print(f"cpu {100 * cpu / wall:.1f} % of a core over {wall:.1f} s; "
          f"{frames / wall:.1f} frames/s; {seen / max(frames, 1) / 1000:.1f} KB/frame")
    return 0


if __name__ == "__main__":
    sys.exit(main())
