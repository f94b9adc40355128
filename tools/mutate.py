#!/usr/bin/env python3
"""Measures how many realistic single-line faults the test suite catches.

Copies the source tree into a work folder with its own build tree (preset "default"), then
for a random sample of lines of src/ makes one mutant at a time: a comparison flipped, a
'!' dropped, a constant changed by one, a call statement deleted, && and || swapped. Each
mutant is built (only what depends on the file) and the suite is its oracle; a mutant that
does not compile is drawn again. With --sanitized, a mutant the normal tree's suite misses
is also built and tested in the sanitized tree (preset "sanitize"), as the test command
does. Prints each mutant with its verdict, then caught/total.

    tools/mutate.py [--count N] [--seed S] [--work DIR] [--files GLOB...] [--sanitized]
"""
import argparse, glob, os, random, re, shutil, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

COMMENT = re.compile(r'^\s*(//|#|\*|/\*)')
STRING = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])\'')


def code_spans(line):
    """Index ranges of the line outside string and character literals and // comments."""
    cut = line.find('//')
    end = len(line) if cut < 0 else cut
    spans, pos = [], 0
    for m in STRING.finditer(line[:end]):
        spans.append((pos, m.start()))
        pos = m.end()
    spans.append((pos, end))
    return spans


def candidates(line):
    """Every mutant of one line as (kind, new line)."""
    out = []
    if COMMENT.match(line) or not line.strip() or line.strip() in ('{', '}', '};'):
        return out
    for lo, hi in code_spans(line):
        seg = line[lo:hi]
        for pat, rep, kind in ((r' == ', ' != ', 'flip =='), (r' != ', ' == ', 'flip !='),
                               (r' < ', ' <= ', 'flip <'), (r' <= ', ' < ', 'flip <='),
                               (r' > ', ' >= ', 'flip >'), (r' >= ', ' > ', 'flip >='),
                               (r' && ', ' || ', 'swap &&'), (r' \|\| ', ' && ', 'swap ||'),
                               (r'!(?=[\w(])', '', "drop !")):
            for m in re.finditer(pat, seg):
                out.append((kind, line[:lo + m.start()] + rep + line[lo + m.end():]))
        # A twip is a fifteenth of a pixel: a place or size in twips changes by a pixel.
        step = 15 if 'twips' in line.lower() or re.search(r'\{\d+, \d+, \d+, \d+\}', line) else 1
        for m in re.finditer(r'(?<![\w.])(\d+)(?![\w.])', seg):
            n = int(m.group(1))
            for v in {n + step, max(n - step, 0)} - {n}:
                out.append(('constant %d->%d' % (n, v), line[:lo + m.start()] + str(v) + line[lo + m.end():]))
    stripped = line.strip()
    if re.match(r'^[\w:.>\-\[\]()*&]+\(.*\);$', stripped) and not stripped.startswith(('return', 'Q_')):
        out.append(('delete call', line[:len(line) - len(line.lstrip())] + ';\n'))
    return out


def sync(src, dst):
    """Makes dst a copy of src, writing only the files that differ (so that their times are
    new and the build sees them changed) and removing those src does not have."""
    if os.path.isfile(src):
        if not os.path.isfile(dst) or open(src, 'rb').read() != open(dst, 'rb').read():
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)
        return
    os.makedirs(dst, exist_ok=True)
    for name in set(os.listdir(dst)) - set(os.listdir(src)):
        path = os.path.join(dst, name)
        shutil.rmtree(path) if os.path.isdir(path) else os.remove(path)
    for name in os.listdir(src):
        if name != 'build':
            sync(os.path.join(src, name), os.path.join(dst, name))


def run(cmd, cwd, log, timeout):
    with open(log, 'a') as f:
        f.write('$ %s\n' % ' '.join(cmd))
        f.flush()
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=f, stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return 124


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--count', type=int, default=20)
    ap.add_argument('--seed', type=int, default=int(time.time()))
    ap.add_argument('--work', default='/tmp/quorra-mutate')
    ap.add_argument('--files', nargs='*', default=['src/**/*.cpp'])
    ap.add_argument('--exclude', default='', help='CTest tests left out (a regex)')
    ap.add_argument('--sanitized', action='store_true', help='try a survivor in the sanitized tree too')
    a = ap.parse_args()

    work, log = a.work, os.path.join(a.work, 'mutate.log')
    os.makedirs(work, exist_ok=True)
    for d in ('src', 'tests', 'fuzz', 'data', 'dist', 'cmake', 'bench', 'docs'):
        if os.path.isdir(os.path.join(ROOT, d)):
            sync(os.path.join(ROOT, d), os.path.join(work, d))
    for f in ('CMakeLists.txt', 'CMakePresets.json'):
        sync(os.path.join(ROOT, f), os.path.join(work, f))
    trees = ['default'] + (['sanitize'] if a.sanitized else [])
    build = lambda tree, timeout=1800: run(['cmake', '--build', '--preset', tree], work, log, timeout) == 0
    suite = lambda tree: run(['ctest', '--test-dir', 'build/' + tree, '--stop-on-failure', '-j1', '--timeout',
                              '300'] + (['-E', a.exclude] if a.exclude else []), work, log, 3600) == 0
    for tree in trees:
        print('building the unmutated tree in %s/build/%s (log: %s)' % (work, tree, log), flush=True)
        configure = ['cmake', '--preset', tree] + (['-DQUORRA_BUILD_BENCH=OFF'] if tree == 'default' else [])
        if run(configure, work, log, 600) or not build(tree, 7200) or not suite(tree):
            sys.exit('the unmutated tree %s does not build or pass; see %s' % (tree, log))

    rng = random.Random(a.seed)
    files = sorted({f for g in a.files for f in glob.glob(os.path.join(work, g), recursive=True)
                    if '/viewer/' not in f or 'tst_viewer' not in a.exclude})
    pool = [(f, i) for f in files for i, l in enumerate(open(f).readlines()) if candidates(l)]
    rng.shuffle(pool)
    caught = total = 0
    print('seed %d: %d mutable lines in %d files' % (a.seed, len(pool), len(files)), flush=True)
    for path, i in pool:
        if total == a.count:
            break
        lines = open(path).readlines()
        kind, new = rng.choice(candidates(lines[i]))
        where = '%s:%d' % (os.path.relpath(path, work), i + 1)
        try:
            open(path, 'w').writelines(lines[:i] + [new] + lines[i + 1:])
            if not build('default'):
                continue  # does not compile: not a fault a user could meet
            total += 1
            if not suite('default'):
                verdict = 'caught'
            elif a.sanitized and build('sanitize') and not suite('sanitize'):
                verdict = 'caught (sanitized)'  # as the test command would
            else:
                verdict = 'MISSED'
            caught += verdict != 'MISSED'
            print('%-7s %-40s %-16s %s' % (verdict, where, kind, new.strip()), flush=True)
        finally:
            open(path, 'w').writelines(lines)
    for tree in trees:
        build(tree)
    print('caught %d of %d (%.0f%%), seed %d' % (caught, total, 100.0 * caught / max(total, 1), a.seed))


if __name__ == '__main__':
    main()
