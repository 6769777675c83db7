#!/usr/bin/env python3
"""Runs a command and prints "WALL_SECONDS PEAK_PSS_KIB PEAK_RSS_KIB" for its whole process tree.

The tree is sampled every few milliseconds; its memory is the sum over every process in it at that
moment. PSS (proportional set size) counts a page shared by several processes once in all, so a
browser's helper processes and a Wine program's mapped system DLLs are counted as they cost.
   tree_memory.py COMMAND [ARGUMENTS...]
"""
import subprocess
import sys
import time


def children(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as listing:
            return [int(child) for child in listing.read().split()]
    except OSError:
        return []


def tree(root):
    found, todo = [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(children(pid))
    return found


def memory(pid):
    pss = rss = 0
    try:
        with open(f"/proc/{pid}/smaps_rollup") as rollup:
            for line in rollup:
                if line.startswith("Pss:"):
                    pss = int(line.split()[1])
                elif line.startswith("Rss:"):
                    rss = int(line.split()[1])
    except OSError:
        pass  # the process ended between the listing and the read
    return pss, rss


def main():
    start = time.monotonic()
    process = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    peak_pss = peak_rss = 0
    while process.poll() is None:
        samples = [memory(pid) for pid in tree(process.pid)]
        peak_pss = max(peak_pss, sum(pss for pss, _ in samples))
        peak_rss = max(peak_rss, sum(rss for _, rss in samples))
        time.sleep(0.003)
    print(f"{time.monotonic() - start:.3f} {peak_pss} {peak_rss}")
    return process.returncode


if __name__ == "__main__":
    sys.exit(main())
