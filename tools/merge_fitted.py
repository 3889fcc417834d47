#!/usr/bin/env python3
"""Puts the output of tune_eval into a list of fitted values.

    python3 tools/merge_fitted.py tools/fitted-coefficients-2d.txt fit.txt

Each "index value  # comment" line of the fit replaces the value of that
index in the list, or is added to it; the list keeps its leading comment
lines and the comment of each entry it already had (for the 2D list, the
shared table's value), so that an entry fitted twice still says where it
started. The list is rewritten in index order; then run gen_coefficients.py.
"""
import sys


def read(path):
    """The leading comment lines and {index: (value, comment)} of a list."""
    head, entries = [], {}
    with open(path) as f:
        for line in f:
            body, _, comment = line.rstrip("\n").partition("#")
            words = body.split()
            if not words:
                if not entries and line.startswith("#"):
                    head.append(line.rstrip("\n"))
                continue
            if len(words) != 2:
                sys.exit("merge_fitted: %s: not 'index value': %s" % (path, line.strip()))
            entries[int(words[0])] = (int(words[1]), comment.strip())
    return head, entries


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: merge_fitted.py FITTED NEW")
    head, old = read(sys.argv[1])
    _, new = read(sys.argv[2])
    added = 0
    for index, (value, comment) in new.items():
        if index in old:
            old[index] = (value, old[index][1])
        else:
            old[index] = (value, comment)
            added += 1
    with open(sys.argv[1], "w") as f:
        for line in head:
            f.write(line + "\n")
        for index in sorted(old):
            value, comment = old[index]
            f.write("%d %d  # %s\n" % (index, value, comment) if comment else "%d %d\n" % (index, value))
    print("%d values replaced, %d added, %d in all" % (len(new) - added, added, len(old)))


if __name__ == "__main__":
    main()
