#!/usr/bin/env bash
# Mutation fuzzer for class files (.smrk) against `semrik --list` and `semrik --pdf`.
# Usage: bench/fuzz/fuzz_class_files.sh [-b SEMRIK] [-d SECONDS] [-o RESULTS] [-s SEED] [-t TIMEOUT]
#   -b  the program to attack (default: build/app/semrik; build it with -DSANITIZE=ON)
#   -d  how long to run, in seconds (default 600)
#   -o  results folder (default bench/fuzz/results/<date-time>)
#   -s  random seed, so a run can be repeated (default: from the clock)
#   -t  time allowed per run before it counts as a hang, in seconds (default 20)
#   -p  run --pdf on every Nth mutant (default 4; --pdf also runs on every mutant --list rejects
#       with probability 1/N, and on every one it accepts)
# Needs bash and python3 (its sqlite3 module); no network.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
semrik="$root/build/app/semrik"
duration=600
results=""
seed=""
timeout=20
pdf_every=4
while getopts "b:d:o:s:t:p:h" option; do
    case $option in
        b) semrik=$OPTARG ;;
        d) duration=$OPTARG ;;
        o) results=$OPTARG ;;
        s) seed=$OPTARG ;;
        t) timeout=$OPTARG ;;
        p) pdf_every=$OPTARG ;;
        *) sed -n '2,12p' "$0"; exit 2 ;;
    esac
done
[[ -x $semrik ]] || { echo "no program at $semrik (use -b)" >&2; exit 2; }
semrik=$(cd "$(dirname "$semrik")" && pwd)/$(basename "$semrik")
[[ -n $results ]] || results="$here/results/$(date +%Y%m%d-%H%M%S)"
[[ -n $seed ]] || seed=$(date +%s)
mkdir -p "$results"

exec python3 - "$semrik" "$duration" "$results" "$seed" "$timeout" "$pdf_every" <<'PY'
import atexit, os, random, shutil, sqlite3, subprocess, sys, tempfile, time

semrik, duration, results, seed, timeout, pdf_every = sys.argv[1:7]
duration, seed, timeout, pdf_every = float(duration), int(seed), float(timeout), int(pdf_every)
rng = random.Random(seed)
work = tempfile.mkdtemp(prefix="semrik-fuzz-")
# The mutants hold pupil data: the work folder goes however the run ends (Ctrl-C included).
atexit.register(shutil.rmtree, work, True)
# The program runs from a copy with its shipped files, so a rebuild meanwhile cannot pull the
# executable away under a run.
installed = os.path.join(work, "program")
shutil.copytree(os.path.dirname(semrik), installed,
                ignore=shutil.ignore_patterns("CMakeFiles", "*_autogen", "*.a", "Makefile",
                                              "*.cmake"))
semrik = os.path.join(installed, os.path.basename(semrik))
env = dict(os.environ)
env.update({
    "XDG_DATA_HOME": os.path.join(work, "data"),   # the program data directory of --pdf
    "XDG_RUNTIME_DIR": os.path.join(work, "runtime"),
    "QT_QPA_PLATFORM": "offscreen",
    "ASAN_OPTIONS": "detect_leaks=0:abort_on_error=0",
    "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
})
env.pop("DISPLAY", None)
os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)

# ---- seeds: class files as the program writes them (Windows-1250 text, one table per pupil) --

def cp1250(text):
    return text.encode("cp1250")

PUPILS = [("Gęślą", "Jaźmina"), ("Żółć", "Łukasz"), ("Nowak", "Ola"), ("Kowalski", "Jan"),
          ("Źdźbło", "Ćma"), ("Adamek", "Świętosław")]

def make_seed(path, pupils, extra_rows, foreign):
    db = sqlite3.connect(path)
    for n, (surname, name) in enumerate(pupils):
        table = "PESEL%011d" % (3311204561 + n * 7919)
        db.execute("create table `%s`( id TEXT, comp_name TEXT, value TEXT )" % table)
        rows = [("DANE UCZNIA", "Nazwisko_DATA_EDIT", surname), ("DANE UCZNIA", "Imie_DATA_EDIT", name)]
        rows += [("OCENY", "Ocena_%d_DATA_EDIT" % i, "bardzo dobry ąęśćżźół " * (i % 5))
                 for i in range(extra_rows)]
        db.executemany("insert into `%s` values( cast(? as text), cast(? as text), cast(? as text) )" % table,
                       [tuple(cp1250(v) for v in row) for row in rows])
    if foreign:
        db.execute("create table notatki( tekst TEXT )")
        db.execute("create index notatki_i on notatki( tekst )")
        db.execute("insert into notatki values( 'x' )")
    db.commit()
    db.close()

seeds = []
for i, (count, rows, foreign) in enumerate([(2, 5, False), (4, 40, False), (6, 120, True), (1, 0, False)]):
    path = os.path.join(work, "seed%d.smrk" % i)
    make_seed(path, PUPILS[:count], rows, foreign)
    seeds.append(open(path, "rb").read())

# ---- mutations -------------------------------------------------------------------------------

def page_size(data):
    if len(data) < 18:
        return 4096
    size = int.from_bytes(data[16:18], "big")
    return 65536 if size == 1 else (size if size >= 512 else 4096)

def mutate(data):
    data = bytearray(data)
    for _ in range(rng.choice([1, 1, 1, 2, 3])):
        kind = rng.randrange(8)
        ps = page_size(data)
        pages = max(1, len(data) // ps)
        if kind == 0 and data:                       # flip a few bits
            for _ in range(rng.randint(1, 8)):
                data[rng.randrange(len(data))] ^= 1 << rng.randrange(8)
        elif kind == 1 and data:                     # interesting values
            for _ in range(rng.randint(1, 4)):
                pos = rng.randrange(len(data))
                value = rng.choice([b"\x00", b"\xff", b"\x7f", b"\x80", b"\x00\x00\x00\x00",
                                    b"\xff\xff\xff\xff", b"\x7f\xff\xff\xff", b"\x80\x00\x00\x00"])
                data[pos:pos + len(value)] = value
        elif kind == 2:                              # truncate
            data = data[:rng.randrange(len(data) + 1)] if rng.random() < 0.5 else \
                data[:rng.randrange(pages + 1) * ps]
        elif kind == 3 and pages > 1:                # splice a page from another seed
            other = rng.choice(seeds)
            op = max(1, len(other) // ps)
            src = rng.randrange(op) * ps
            dst = rng.randrange(1, pages) * ps
            data[dst:dst + ps] = other[src:src + ps]
        elif kind == 4 and pages > 1:                # duplicate or zero a page
            dst = rng.randrange(1, pages) * ps
            if rng.random() < 0.5:
                src = rng.randrange(pages) * ps
                data[dst:dst + ps] = data[src:src + ps]
            else:
                data[dst:dst + ps] = bytes(ps)
        elif kind == 5 and len(data) >= 100:         # header fields
            field = rng.choice([(16, 2), (18, 1), (19, 1), (20, 1), (28, 4), (32, 4), (36, 4),
                                (40, 4), (44, 4), (52, 4), (56, 4), (96, 4)])
            data[field[0]:field[0] + field[1]] = rng.randbytes(field[1])
        elif kind == 6 and pages > 0:                # damage a b-tree page header
            page = rng.randrange(pages)
            base = page * ps + (100 if page == 0 else 0)
            if base + 12 <= len(data):
                off = base + rng.randrange(12)
                data[off] = rng.randrange(256)
        elif kind == 7:                              # append garbage
            data += rng.randbytes(rng.randrange(1, 2 * ps))
    return bytes(data)

# ---- what SQLite itself reads from a mutant ---------------------------------------------------

def text(value):
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if isinstance(value, (int, float)):
        return str(value)
    raw = bytes(value)
    # As the program decodes: Windows-1250, bytes the code page leaves undefined stay themselves.
    return "".join(raw[i:i + 1].decode("cp1250", errors="ignore") or chr(raw[i]) for i in range(len(raw)))

def looks_like_pupil_table(db, quoted, name):
    if name.lower().startswith("pesel"):
        return True
    try:
        columns = [text(row[1]) for row in db.execute("pragma table_info(%s)" % quoted)]
    except (sqlite3.Error, ValueError):
        return True
    return all(c in columns for c in ("id", "comp_name", "value"))

def expected_listing(path):
    """(lines, unreadable, skipped names) as the listing should see them; None when SQLite
    cannot read the catalogue. Tables whose names are not ASCII are skipped: this script's
    statements are UTF-8 and the program's are Windows-1250, so they would name other tables."""
    try:
        db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
        db.text_factory = bytes
        names = [row[0] for row in db.execute("select name from sqlite_master")]
    except (sqlite3.Error, ValueError):  # SQLite's message may quote bytes that are not UTF-8
        return None
    lines, unreadable, skipped = set(), set(), set()
    for raw in names:
        name = text(raw)
        if name.lower().startswith("sqlite_"):
            continue
        if not isinstance(raw, bytes) or not raw.isascii():
            skipped.add(name)
            continue
        quoted = "`" + name.replace("`", "``") + "`"
        try:
            is_table = db.execute("select count(*) from sqlite_master where type='table' and "
                                  "name=cast(? as text) collate nocase", (raw,)).fetchone()[0] > 0
            if not is_table:
                continue
            def value(comp):
                cursor = db.execute("select * from %s where `id`='DANE UCZNIA' AND `comp_name`='%s'"
                                    % (quoted, comp))
                columns = [text(d[0]) for d in cursor.description]
                row = cursor.fetchone()
                index = columns.index("value")
                return text(row[index]) if row else ""
            surname, first = value("Nazwisko_DATA_EDIT"), value("Imie_DATA_EDIT")
            for _ in db.execute("select `id`, `comp_name`, `value` from %s" % quoted):
                pass
            lines.add("%s %s\t%s" % (surname, first, name))
        except (sqlite3.Error, ValueError):
            if looks_like_pupil_table(db, quoted, name):
                unreadable.add(name)
    db.close()
    return lines, unreadable, skipped

# ---- running the program --------------------------------------------------------------------

def run(arguments):
    try:
        done = subprocess.run([semrik] + arguments, env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired as e:
        return "hang", None, e.stdout or b"", e.stderr or b""
    err = done.stderr
    if done.returncode < 0 or b"AddressSanitizer" in err or b"runtime error:" in err or \
            b"LeakSanitizer" in err:
        return "crash", done.returncode, done.stdout, err
    return "ok", done.returncode, done.stdout, err

counts = {"mutants": 0, "list runs": 0, "pdf runs": 0, "crash": 0, "hang": 0, "silent": 0,
          "harness": 0}

def record(kind, mutant, arguments, code, out, err, note=""):
    counts[kind] += 1
    base = os.path.join(results, "%s-%04d" % (kind, counts[kind]))
    shutil.copy(mutant, base + ".smrk")
    with open(base + ".txt", "w") as report:
        report.write("semrik %s\nexit: %s\n%s\n--- stdout\n%s\n--- stderr\n%s\n" % (
            " ".join(arguments), code, note, out.decode("utf-8", "replace")[:4000],
            err.decode("utf-8", "replace")[:20000]))

mutant = os.path.join(work, "mutant.smrk")
pdf = os.path.join(work, "out.pdf")
end = time.time() + duration
while time.time() < end:
    data = mutate(rng.choice(seeds))
    with open(mutant, "wb") as f:
        f.write(data)
    counts["mutants"] += 1

    args = ["--list", mutant]
    status, code, out, err = run(args)
    counts["list runs"] += 1
    if status != "ok":
        record(status, mutant, args, code, out, err)
        continue
    try:
        expected = expected_listing(mutant)
    except Exception as e:  # a fault of this script, not of the program: keep the mutant, go on
        record("harness", mutant, args, code, out, err, "expected_listing: %r" % e)
        continue
    listed_ok = code == 0
    if listed_ok:
        got = set(line for line in out.decode("utf-8", "replace").split("\n") if line)
        if expected is None:
            record("silent", mutant, args, code, out, err, "SQLite cannot read this file")
        else:
            lines, unreadable, skipped = expected
            got = set(line for line in got if line.split("\t")[-1] not in skipped)
            if unreadable:
                record("silent", mutant, args, code, out, err,
                       "SQLite cannot read tables: %s" % sorted(unreadable))
            elif got != lines:
                record("silent", mutant, args, code, out, err,
                       "SQLite reads: %s" % sorted(lines))

    if listed_ok or counts["mutants"] % pdf_every == 0:
        if os.path.exists(pdf):
            os.remove(pdf)
        args = ["--pdf", pdf, "--document", "0", mutant]
        status, pcode, pout, perr = run(args)
        counts["pdf runs"] += 1
        if status != "ok":
            record(status, mutant, args, pcode, pout, perr)
        elif pcode == 0 and not listed_ok:
            record("silent", mutant, args, pcode, pout, perr,
                   "--pdf succeeded where --list failed with %s" % code)
        leftovers = [n for n in os.listdir(work) if n.startswith("out.pdf.tmp")]
        if leftovers:
            record("silent", mutant, args, pcode, pout, perr, "temporary files left: %s" % leftovers)
            for n in leftovers:
                os.remove(os.path.join(work, n))

summary = "seed %d, %d s: %s\n" % (seed, duration, ", ".join("%s %d" % kv for kv in counts.items()))
with open(os.path.join(results, "summary.txt"), "w") as f:
    f.write(summary)
sys.stdout.write(summary)
shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if counts["crash"] or counts["hang"] or counts["silent"] else 0)
PY
