#!/usr/bin/env python3
"""coverage.py MINGW_GCOV WINE_TREE: what tiers 1 and 2 ran of src/.

Reads the counts their last run left: build/native's with the native gcov,
WINE_TREE's with MINGW_GCOV, both through gcovr from the repository's top
folder (its filter is taken from there). Prints one line of the lines and
functions of src/ they entered, then the functions they never enter, and
leaves the same in build/coverage.txt for the test command to show. Fails
when one of those, or a file they do not compile, is missing from
scripts/coverage-tier3.txt, which says what reaches each. Both builds
compile the task table, so a function is known by its file and first line,
not by its name, which differs between them (size_t, SYSTEMTIME).
"""
import glob
import json
import os
import re
import subprocess
import sys

os.chdir(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LIST = 'scripts/coverage-tier3.txt'


def counted_files(gcov, tree):
    if not glob.glob(f'{tree}/**/*.gcda', recursive=True):
        sys.exit(f'coverage: no counts in {tree}: tiers 1 and 2 have not run')
    report = subprocess.run(['gcovr', '-r', '.', '--filter', 'src/', '--gcov-executable', gcov,
                             tree, '--json'], capture_output=True, text=True)
    if report.returncode != 0:
        sys.exit(f'coverage: gcovr could not read the counts in {tree}:\n{report.stderr}')
    return json.loads(report.stdout)['files']


def plain_name(gcov_name):
    """'void EnableControls<8u>(HWND__*, ...)' -> 'EnableControls'"""
    return re.sub(r'<.*', '', gcov_name.split('(')[0].split()[-1])


lines = {}      # (file, line) -> times run
functions = {}  # (file, first line) -> [name, times entered]
for gcov, tree in (('gcov', 'build/native'), (sys.argv[1], sys.argv[2])):
    for counted in counted_files(gcov, tree):
        name = counted['file']
        for line in counted['lines']:
            if not line['gcovr/noncode'] and not line.get('gcovr/excluded'):
                key = (name, line['line_number'])
                lines[key] = lines.get(key, 0) + line['count']
        for function in counted['functions']:
            entry = functions.setdefault((name, function['lineno']), [plain_name(function['name']), 0])
            entry[1] += function['execution_count']


def share(counts):
    run = sum(1 for count in counts if count > 0)
    return f'{100 * run / len(counts):.1f} % ({run} of {len(counts)})'


report = []
entered = [entry[1] for entry in functions.values()]
report.append(f'coverage of src/ by tiers 1 and 2: lines {share(list(lines.values()))}, functions {share(entered)}')

listed = {}
for text in open(LIST, encoding='utf-8'):
    if text.strip() and not text.startswith('#'):
        where, reason = text.split(' -- ', 1)
        listed[tuple(where.split())] = reason.strip()

unlisted = []
compiled = {name for name, _ in lines}
for source in sorted(glob.glob('src/**/*.cpp', recursive=True)):
    if source not in compiled:
        if (source, '*') in listed:
            report.append(f'  not built for tiers 1 and 2: {source}: {listed[(source, "*")]}')
        else:
            unlisted.append(f'{source}: built for no tier-1 or tier-2 test')
for (source, line), (name, count) in sorted(functions.items()):
    if count > 0 and (source, name) in listed:
        report.append(f'  entered now, so it may leave {LIST}: {source} {name}')
    elif count == 0 and (source, name) in listed:
        report.append(f'  not entered: {source}:{line} {name}: {listed[(source, name)]}')
    elif count == 0:
        unlisted.append(f'{source}:{line} {name}: entered by no tier-1 or tier-2 test')
report += [f'NOT REACHED, and not in {LIST}: {problem}' for problem in unlisted]
print('\n'.join(report))
with open('build/coverage.txt', 'w', encoding='utf-8') as saved:
    saved.write('\n'.join(report) + '\n')
sys.exit(1 if unlisted else 0)
