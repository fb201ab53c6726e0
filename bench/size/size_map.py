#!/usr/bin/env python3
"""The size map of the installer: what each section, library and object adds,
from the GNU linker's map file (-Wl,-Map). Prints the sections' totals, then
the largest contributors by library and by object.

    bench/size/size_map.py MAP [TOP]
"""
import collections
import re
import sys

LINE = re.compile(r'^ (\.[\w.$]+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(.+)$')
SPLIT = re.compile(r'^ (\.[\w.$]+)$')
CONT = re.compile(r'^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(.+)$')
KEPT = ('.text', '.rdata', '.data', '.pdata', '.xdata', '.bss')


def section_of(name):
    for kept in KEPT:
        if name == kept or name.startswith(kept + '.') or name.startswith(kept + '$'):
            return kept
    return None


def read(path):
    by = collections.defaultdict(lambda: collections.Counter())
    pending = None
    in_discarded = False
    for line in open(path, encoding='utf-8', errors='replace'):
        if line.startswith('Discarded input sections'):
            in_discarded = True
        elif line.startswith('Linker script and memory map'):
            in_discarded = False
        if in_discarded:
            continue
        m = LINE.match(line)
        if m:
            pending = None
            section, size, source = m.group(1), int(m.group(2), 16), m.group(3).strip()
        else:
            s = SPLIT.match(line)
            if s:
                pending = s.group(1)
                continue
            c = CONT.match(line) if pending else None
            if not c:
                pending = None
                continue
            section, size, source = pending, int(c.group(1), 16), c.group(2).strip()
            pending = None
        kept = section_of(section)
        if kept and size:
            by[kept][source] += size
    return by


def library(source):
    m = re.match(r'(.*?)\((.*)\)$', source)
    return (m.group(1).rsplit('/', 1)[-1] if m else source.rsplit('/', 1)[-1]), source


def main():
    path = sys.argv[1]
    top = int(sys.argv[2]) if len(sys.argv) > 2 else 25
    by = read(path)
    print('section totals (bytes):')
    for section in KEPT:
        print(f'  {section:8} {sum(by[section].values()):9,}')
    libraries = collections.Counter()
    objects = collections.Counter()
    for section in ('.text', '.rdata', '.data', '.pdata', '.xdata'):
        for source, size in by[section].items():
            lib, obj = library(source)
            libraries[lib] += size
            objects[obj.rsplit('/', 1)[-1]] += size
    print(f'\nlargest libraries (.text .rdata .data .pdata .xdata):')
    for name, size in libraries.most_common(top):
        print(f'  {size:9,}  {name}')
    print(f'\nlargest objects:')
    for name, size in objects.most_common(top):
        print(f'  {size:9,}  {name}')


if __name__ == '__main__':
    main()
