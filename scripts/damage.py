#!/usr/bin/env python3
"""Damaged-content rounds: the almanac run on a disc with one file damaged at a time.

  damage.py run --lx98 P --disc D --work W [--mutants N] [--seed S] [--jobs J]
                [--findings DIR] [--kinds K,K] [--fail-on-finding] [--verbose]
  damage.py replay --lx98 P --disc D --work W --cases DIR

A round copies the built disc once into its scratch directory; each worker makes a disc
of links to that copy and puts the damaged file in place of one link. Each mutant runs
one headless session from tests/damage/sessions/ that reaches the file (the screen it is, a screen naming it, the
search and entry viewer for the data files, or the start of the program), under the test
build's sanitizers, with a CPU limit and a wall-clock limit. The outcome is one of:
  clean  - the program ended by itself (a script step that found the screen changed
           by the damage ends it too: exit status 1)
  error  - the program reported the fault in its ERROR box and exited with status 255
  crash  - a signal, a sanitizer report, or any other exit status
  hang   - the CPU or wall-clock limit ran out
Crashes and hangs are written to --findings as DIR/<id>/damaged (the file's bytes) and
DIR/<id>/note (which disc file it replaces, the session, the outcome and the report's
first lines); `replay` runs such kept cases again and fails unless each ends clean or
with a reported error.
"""

import argparse
import concurrent.futures
import hashlib
import os
import random
import re
import resource
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SESSIONS = os.path.join(HERE, "..", "tests", "damage", "sessions")
SUPPRESSIONS = os.path.join(HERE, "..", "tests", "lsan.supp")
OUTCOMES = ("clean", "error", "crash", "hang")
CPU_SECONDS = 60
WALL_SECONDS = 240

# ---------------------------------------------------------------------------------------
# What a disc file is, and which session reaches it.

KINDS = {
    ".frm": "text form", ".etn": "compiled form", ".tbl": "table", ".bmp": "bitmap",
    ".dib": "bitmap", ".jpg": "jpeg", ".jpeg": "jpeg", ".rtf": "rtf", ".mid": "midi",
    ".wav": "wave", ".mpg": "movie", ".avi": "movie", ".dat": "archive", ".dtt": "archive",
    ".idx": "index", ".html": "help page", ".txt": "text", ".lst": "list",
}


def kind_of(rel):
    base = os.path.basename(rel).lower()
    if base.startswith("keyword."):
        return "word index"
    ext = os.path.splitext(base)[1]
    if ext == ".etn" and base.startswith("global."):
        return "compiled table"
    return KINDS.get(ext, "other")


class Disc:
    """The built disc: its files, their kinds, and which screen files name each file."""

    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.files = []
        for top, _dirs, names in os.walk(self.root):
            for name in names:
                self.files.append(os.path.relpath(os.path.join(top, name), self.root))
        self.files.sort()
        self.by_kind = {}
        for rel in self.files:
            self.by_kind.setdefault(kind_of(rel), []).append(rel)
        self.screens = [f for f in self.files if f.lower().endswith(".frm")]
        raw = {f: self.read(f) for f in self.screens}
        self.screen_text = {f: t.lower() for f, t in raw.items()}
        self.classes = sorted({c for t in raw.values()
                               for c in re.findall(rb'"Class" "([A-Za-z0-9]+)"', t)})

    def read(self, rel):
        with open(os.path.join(self.root, rel), "rb") as f:
            return f.read()

    def compiled_of(self, rel):
        """The compiled form the program prefers to a text form or table, if any."""
        stem, ext = os.path.splitext(rel)
        if ext.lower() not in (".frm", ".tbl"):
            return None
        folder, name = os.path.split(stem)
        compiled = os.path.join(folder, name.lower() + ".etn")
        return compiled if compiled in self.files else None

    def text_of(self, rel):
        """The text form a compiled form was made from, if any."""
        if not rel.endswith(".etn"):
            return None
        for screen in self.screens:
            if self.compiled_of(screen) == rel:
                return screen
        return None

    def session_for(self, rel, rng):
        """(session name, screen to open) for a damaged file."""
        kind = kind_of(rel)
        if kind == "text form":
            return "screen", os.path.basename(rel)
        if kind == "compiled form":
            source = self.text_of(rel)
            return ("screen", os.path.basename(rel)) if source else ("start", None)
        if kind in ("archive", "index", "word index"):
            return "entries", None
        name = os.path.basename(rel).lower().encode()
        naming = [s for s in self.screens if name in self.screen_text[s]]
        if naming:
            return "screen", os.path.basename(rng.choice(naming))
        if kind in ("rtf", "bitmap", "jpeg") and rel.lower() != "media/creditos.rtf":
            return "entries", None
        return "start", None


# ---------------------------------------------------------------------------------------
# Damage.

INT_EXTREMES = [b"2147483647", b"-2147483648", b"2147483648", b"-2147483649", b"4294967295",
                b"-1", b"0", b"65535", b"65536", b"99999999999999999999", b"1e308",
                b"1" + b"0" * 308 + b".0", b"-" + b"9" * 40 + b".5", b"0.000001", b"-0.0",
                b"2147483647.9"]
OTHER_VALUES = [b'"x"', b'""', b"nil", b"true", b"(list)", b"(list 1 2)", b"(rect 1 2 3 4)",
                b"(rgb 1 2 3)", b'(font "Arial" 2147483647 0)', b"(table)", b"1.5", b"-7"]
WORDS32 = [0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x00000000, 0x00010000, 0x7FFF, 0x8000,
           0xFFFF, 0x40000000, 0x00000001]
NUMBER = re.compile(rb"-?\d+(?:\.\d+)?")
STRING = re.compile(rb'"[^"\n]*"')
RTF_WORD = re.compile(rb"\\([a-z]+)(-?\d+)")


def flip_bits(data, rng):
    out = bytearray(data)
    for _ in range(rng.randint(1, 8)):
        i = rng.randrange(len(out))
        out[i] ^= 1 << rng.randrange(8)
    return bytes(out), "bit flips"


def set_word(data, rng):
    """A 32- or 16-bit extreme written over a header field or any aligned word."""
    out = bytearray(data)
    limit = len(out) if rng.random() < 0.4 else min(len(out), 160)
    width = rng.choice((2, 4))
    if limit < width:
        return flip_bits(data, rng)
    at = rng.randrange(0, limit - width + 1)
    if rng.random() < 0.7:
        at -= at % width
    value = rng.choice(WORDS32) & ((1 << (8 * width)) - 1)
    out[at:at + width] = value.to_bytes(width, "little" if rng.random() < 0.7 else "big")
    return bytes(out), "word %#x at %d" % (value, at)


def cut_span(data, rng):
    a = rng.randrange(len(data))
    b = min(len(data), a + rng.randint(1, max(1, len(data) // 4)))
    return data[:a] + data[b:], "cut %d..%d" % (a, b)


def repeat_span(data, rng):
    a = rng.randrange(len(data))
    b = min(len(data), a + rng.randint(1, 64))
    times = rng.choice((1, 2, 16, 200))
    return data[:b] + data[a:b] * times + data[b:], "repeat %d..%d x%d" % (a, b, times)


def truncate(data, rng):
    at = rng.randrange(len(data))
    return data[:at], "truncate at %d" % at


def random_bytes(data, rng):
    a = rng.randrange(len(data) + 1)
    junk = bytes(rng.randrange(256) for _ in range(rng.randint(1, 32)))
    return data[:a] + junk + data[a:], "insert %d bytes at %d" % (len(junk), a)


def replace_match(data, rng, pattern, choices, label):
    matches = list(pattern.finditer(data))
    if not matches:
        return flip_bits(data, rng)
    m = rng.choice(matches)
    new = rng.choice(choices)
    return data[:m.start()] + new + data[m.end():], "%s %r -> %r" % (label, m.group(), new)


def extreme_number(data, rng):
    return replace_match(data, rng, NUMBER, INT_EXTREMES, "number")


def extreme_numbers(data, rng):
    """A number and the few after it (a whole rectangle, a colour, a font) made extreme."""
    matches = list(NUMBER.finditer(data))
    if not matches:
        return flip_bits(data, rng)
    first = rng.randrange(len(matches))
    chosen = matches[first:first + rng.randint(2, 4)]
    out = data
    for m in reversed(chosen):
        out = out[:m.start()] + rng.choice(INT_EXTREMES[:6]) + out[m.end():]
    return out, "%d numbers from %d made extreme" % (len(chosen), chosen[0].start())


def other_type(data, rng):
    pattern = rng.choice((NUMBER, STRING))
    return replace_match(data, rng, pattern, OTHER_VALUES, "value")


def deep_nesting(data, rng):
    depth = rng.choice((300, 5000, 100000))
    matches = list(NUMBER.finditer(data))
    m = rng.choice(matches) if matches else None
    at = m.start() if m else rng.randrange(len(data) + 1)
    end = m.end() if m else at
    inner = data[at:end] or b"1"
    new = b"(list " * depth + inner + b")" * depth
    return data[:at] + new + data[end:], "nesting %d deep at %d" % (depth, at)


def unclosed_nesting(data, rng):
    at = rng.randrange(len(data) + 1)
    depth = rng.choice((1000, 100000))
    return data[:at] + b"(" * depth + data[at:], "%d unclosed parentheses at %d" % (depth, at)


def swap_class(disc):
    def mutate(data, rng):
        found = list(re.finditer(rb'"Class" "([A-Za-z0-9]+)"', data))
        if not found or not disc.classes:
            return flip_bits(data, rng)
        m = rng.choice(found)
        new = rng.choice(disc.classes)
        return data[:m.start(1)] + new + data[m.end(1):], "class %r -> %r" % (m.group(1), new)
    return mutate


def rtf_extreme(data, rng):
    matches = list(RTF_WORD.finditer(data))
    if not matches:
        return extreme_number(data, rng)
    m = rng.choice(matches)
    new = b"\\" + m.group(1) + rng.choice(INT_EXTREMES[:6] + [b"32767", b"-32768"])
    return data[:m.start()] + new + data[m.end():], "rtf %r -> %r" % (m.group(), new)


def rtf_groups(data, rng):
    at = rng.randrange(len(data) + 1)
    depth = rng.choice((500, 20000))
    opener = rng.choice((b"{", b"{\\b ", b"{\\uldb "))
    return data[:at] + opener * depth + data[at:], "%d open groups at %d" % (depth, at)


def rtf_in_place(data, rng):
    """Texts held inside archives, damaged without moving a byte: a control word's number
    made as large as its digits allow, or a group closed too early or never."""
    matches = list(RTF_WORD.finditer(data))
    if not matches:
        return flip_bits(data, rng)
    m = rng.choice(matches)
    out = bytearray(data)
    if rng.random() < 0.6:
        digits = m.group(2).lstrip(b"-")
        out[m.end() - len(digits):m.end()] = b"9" * len(digits)
        return bytes(out), "rtf number %r made 9s" % m.group()
    braces = [i for i in range(m.start(), min(len(out), m.start() + 400)) if out[i] in b"{}"]
    if not braces:
        return flip_bits(data, rng)
    i = rng.choice(braces)
    out[i] = ord("{") if out[i] == ord("}") else ord("}")
    return bytes(out), "rtf brace at %d turned" % i


BINARY = [flip_bits, set_word, set_word, cut_span, repeat_span, truncate, random_bytes]


def mutators_for(kind, disc):
    if kind in ("text form", "table", "text", "list"):
        return [extreme_number, extreme_number, extreme_numbers, extreme_numbers, other_type, other_type, deep_nesting,
                unclosed_nesting, swap_class(disc), cut_span, repeat_span, truncate, flip_bits]
    if kind == "rtf":
        return [rtf_extreme, rtf_extreme, rtf_groups, extreme_number] + BINARY
    if kind == "archive":
        return BINARY + [rtf_in_place, rtf_in_place]
    if kind == "help page":
        return [flip_bits, cut_span, truncate]
    return BINARY


def damage(disc, rel, rng):
    data = disc.read(rel)
    if not data:
        return b"\0" * rng.choice((1, 7, 64)), "bytes in an empty file"
    mutate = rng.choice(mutators_for(kind_of(rel), disc))
    out, how = mutate(data, rng)
    return out, how


# ---------------------------------------------------------------------------------------
# Running one session.

class Worker:
    """A scratch disc of links to the built one, a user directory and a runtime directory."""

    def __init__(self, disc, work, index):
        self.disc = disc
        self.dir = os.path.join(work, "w%d" % index)
        shutil.rmtree(self.dir, ignore_errors=True)
        self.scratch = os.path.join(self.dir, "disc")
        for rel in disc.files:
            path = os.path.join(self.scratch, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            os.symlink(os.path.join(disc.root, rel), path)

    def link_back(self, rel):
        path = os.path.join(self.scratch, rel)
        if os.path.lexists(path):
            os.remove(path)
        os.symlink(os.path.join(self.disc.root, rel), path)

    def run(self, lx98, rel, damaged, session, form):
        hidden = self.disc.compiled_of(rel)
        path = os.path.join(self.scratch, rel)
        os.remove(path)
        with open(path, "wb") as f:
            f.write(damaged if damaged is not None else self.disc.read(rel))
        if hidden:
            # The text form is read only when its compiled form is not on the disc.
            os.remove(os.path.join(self.scratch, hidden))
        try:
            return run_session(lx98, self.scratch, self.dir, session, form, damaged)
        finally:
            self.link_back(rel)
            if hidden:
                self.link_back(hidden)


def pointer_lines(rng):
    """Pointer steps over the media area, drawn from the damaged bytes so a kept case
    replays the same ones."""
    lines = []
    for _ in range(8):
        x, y = rng.randrange(640), rng.randrange(480)
        step = rng.choice(("move", "click", "click", "dblclick", "wheel", "drag"))
        if step == "wheel":
            lines.append("wheel %d %d %d" % (x, y, rng.choice((-3, 3))))
        elif step == "drag":
            lines.append("drag %d %d %d %d" % (x, y, rng.randrange(640), rng.randrange(480)))
        else:
            lines.append("%s %d %d" % (step, x, y))
    return "\n".join(lines)


def session_script(session, form, out_dir, damaged):
    with open(os.path.join(SESSIONS, session + ".txt"), encoding="utf-8") as f:
        text = f.read()
    args = []
    for line in text.splitlines():
        if line.startswith("#! args "):
            args += line[len("#! args "):].replace("@FORM@", form or "").split()
    # The check of the intact disc leaves them out: they may lead anywhere.
    rng = random.Random(hashlib.sha1(damaged).hexdigest()) if damaged is not None else None
    text = re.sub(r"(?m)^@POINTER@$", lambda _: pointer_lines(rng) if rng else "", text)
    script = os.path.join(out_dir, "session.txt")
    with open(script, "w", encoding="utf-8") as f:
        f.write(text)
    return script, args


def limit_cpu():
    resource.setrlimit(resource.RLIMIT_CPU, (CPU_SECONDS, CPU_SECONDS + 5))
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
    os.setsid()


def run_session(lx98, disc_dir, work, session, form, damaged):
    """(outcome, the report's telling lines, exit status, standard error) of one session."""
    user = os.path.join(work, "user")
    shutil.rmtree(user, ignore_errors=True)
    os.makedirs(user)
    script, args = session_script(session, form, work, damaged)
    env = dict(os.environ)
    env["XDG_RUNTIME_DIR"] = os.path.join(work, "run")
    env["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % os.path.abspath(SUPPRESSIONS)
    # A huge allocation or resident size is reported like any other sanitizer finding.
    env["ASAN_OPTIONS"] = ("max_allocation_size_mb=1024:hard_rss_limit_mb=2048:"
                           "allocator_may_return_null=0:detect_stack_use_after_return=0")
    env["UBSAN_OPTIONS"] = "halt_on_error=1:print_stacktrace=1"
    command = [lx98, "--headless", "--script", script, "--shots", work, "--user-dir", user,
               "--disc", disc_dir] + args
    proc = subprocess.Popen(command, cwd=work, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, preexec_fn=limit_cpu)
    try:
        out, err = proc.communicate(timeout=WALL_SECONDS)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, err = proc.communicate()
        return "hang", "no end after %d s" % WALL_SECONDS, None, ""
    status, err = proc.returncode, err.decode("latin-1")
    return classify(status, out.decode("latin-1"), err) + (status, err)


SANITIZER = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|"
                       r"UndefinedBehaviorSanitizer|SUMMARY: \w+Sanitizer")


def classify(status, out, err):
    report = [l for l in err.splitlines() if SANITIZER.search(l) or "#0 " in l or "#1 " in l
              or "#2 " in l or "#3 " in l]
    if status in (-signal.SIGXCPU, -signal.SIGKILL) and not SANITIZER.search(err):
        return "hang", "CPU limit of %d s" % CPU_SECONDS
    if SANITIZER.search(err) or status < 0:
        head = report[:8] or ["signal %d" % -status]
        return "crash", "\n".join(head)
    if status == 255 and "box ERROR:" in out:
        lines = [l for l in out.splitlines() if l.startswith("box ERROR:")]
        return "error", lines[0]
    if status in (0, 1):
        return "clean", ""
    return "crash", "exit status %d\n%s" % (status, err[-600:])


# ---------------------------------------------------------------------------------------
# Rounds.

def one_mutant(worker, lx98, seed, index, kinds):
    rng = random.Random("%s:%d" % (seed, index))
    kind = rng.choice(kinds)
    rel = rng.choice(worker.disc.by_kind[kind])
    damaged, how = damage(worker.disc, rel, rng)
    session, form = worker.disc.session_for(rel, rng)
    outcome, report, status, _ = worker.run(lx98, rel, damaged, session, form)
    return dict(index=index, kind=kind, file=rel, how=how, session=session, form=form,
                outcome=outcome, report=report, damaged=damaged, status=status)


def keep(findings, case, seed):
    digest = hashlib.sha1(case["damaged"]).hexdigest()[:16]
    folder = os.path.join(findings, "%s-%s" % (case["outcome"], digest))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "damaged"), "wb") as f:
        f.write(case["damaged"])
    with open(os.path.join(folder, "note"), "w", encoding="utf-8") as f:
        f.write("replaces %s\n" % case["file"])
        f.write("session %s\n" % case["session"])
        if case["form"]:
            f.write("form %s\n" % case["form"])
        f.write("found %s by seed %s mutant %d: %s\n" % (case["outcome"], seed, case["index"],
                                                         case["how"]))
        for line in case["report"].splitlines():
            f.write("report %s\n" % line.strip())
    return folder


def print_tally(tally, out=sys.stdout):
    width = max([len(k) for k in tally] + [9])
    out.write("%-*s %7s %7s %7s %7s %7s\n" % ((width, "file kind") + OUTCOMES + ("total",)))
    totals = dict.fromkeys(OUTCOMES, 0)
    for kind in sorted(tally):
        row = tally[kind]
        for o in OUTCOMES:
            totals[o] += row[o]
        out.write("%-*s %7d %7d %7d %7d %7d\n" % ((width, kind) + tuple(row[o] for o in OUTCOMES)
                                                 + (sum(row.values()),)))
    out.write("%-*s %7d %7d %7d %7d %7d\n" % ((width, "all") + tuple(totals[o] for o in OUTCOMES)
                                             + (sum(totals.values()),)))
    return totals


def check_sessions(worker, lx98):
    """Every session runs to its end on the intact disc, or the round would measure nothing."""
    screen = worker.disc.screens[0] if worker.disc.screens else None
    for session, form in (("start", None), ("entries", None), ("screen", screen)):
        if session == "screen" and screen is None:
            continue
        rel = screen or worker.disc.files[0]
        outcome, report, status, err = worker.run(lx98, rel, None, session,
                                                  form and os.path.basename(form))
        if status != 0:
            sys.exit("damage.py: session %s fails on the intact disc (%s, status %s):\n%s" %
                     (session, outcome, status, report or err[-2000:]))


def private_copy(disc_dir, work):
    """The disc copied once into the scratch directory: the build may write the demo disc
    again while a round runs."""
    copy = os.path.join(work, "disc")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(disc_dir, copy, symlinks=False)
    return copy


def command_run(args):
    disc = Disc(private_copy(args.disc, args.work))
    kinds = sorted(disc.by_kind)
    if args.kinds:
        kinds = [k for k in kinds if k in args.kinds.split(",")]
    if not kinds:
        sys.exit("damage.py: no files of those kinds on %s" % args.disc)
    seed = args.seed if args.seed is not None else random.randrange(1 << 31)
    print("damage.py: %d mutants, seed %s, %d files of %d kinds on %s" %
          (args.mutants, seed, len(disc.files), len(kinds), disc.root), flush=True)
    workers = [Worker(disc, args.work, i) for i in range(args.jobs)]
    check_sessions(workers[0], args.lx98)
    free = list(workers)
    tally = {k: dict.fromkeys(OUTCOMES, 0) for k in kinds}
    started = time.time()
    findings = []
    finished = 0
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        pending = set()
        next_index = 0
        while next_index < args.mutants or pending:
            while free and next_index < args.mutants:
                worker = free.pop()
                future = pool.submit(one_mutant, worker, args.lx98, seed, next_index, kinds)
                future.worker = worker
                pending.add(future)
                next_index += 1
            done, pending = concurrent.futures.wait(
                pending, return_when=concurrent.futures.FIRST_COMPLETED)
            for future in done:
                free.append(future.worker)
                case = future.result()
                tally[case["kind"]][case["outcome"]] += 1
                finished += 1
                if args.verbose:
                    print("%d %s %s (%s%s) %s: %s, status %s" %
                          (case["index"], case["kind"], case["file"], case["session"],
                           " " + case["form"] if case["form"] else "", case["how"][:80],
                           case["outcome"], case["status"]), flush=True)
                if finished % 100 == 0:
                    print("damage.py: %d mutants done, %.0f s" % (finished, time.time() - started),
                          flush=True)
                if case["outcome"] in ("crash", "hang"):
                    where = keep(args.findings, case, seed)
                    findings.append(where)
                    print("%s: %s (%s, session %s): %s -> %s\n  %s" %
                          (case["outcome"], case["file"], case["kind"], case["session"],
                           case["how"], where, case["report"].replace("\n", "\n  ")),
                          flush=True)
    print("damage.py: seed %s, %d mutants in %.0f s" % (seed, args.mutants,
                                                       time.time() - started))
    print_tally(tally)
    if findings and args.fail_on_finding:
        sys.exit(1)


def command_replay(args):
    disc = Disc(private_copy(args.disc, args.work))
    worker = Worker(disc, args.work, 0)
    failures = 0
    cases = sorted(os.listdir(args.cases)) if os.path.isdir(args.cases) else []
    for name in cases:
        folder = os.path.join(args.cases, name)
        note = {}
        with open(os.path.join(folder, "note"), encoding="utf-8") as f:
            for line in f:
                key, _, value = line.rstrip("\n").partition(" ")
                note.setdefault(key, value)
        rel = note["replaces"]
        if rel not in disc.files:
            print("%s: %s is no longer on the disc; case skipped" % (name, rel))
            continue
        with open(os.path.join(folder, "damaged"), "rb") as f:
            damaged = f.read()
        outcome, report, _, _ = worker.run(args.lx98, rel, damaged, note["session"],
                                           note.get("form"))
        print("%s: %s (%s) -> %s" % (name, rel, note["session"], outcome))
        if outcome not in ("clean", "error"):
            failures += 1
            print("  " + report.replace("\n", "\n  "))
    print("damage.py: %d kept cases, %d failing" % (len(cases), failures))
    if failures:
        sys.exit(1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    for name in ("run", "replay"):
        p = sub.add_parser(name)
        p.add_argument("--lx98", required=True)
        p.add_argument("--disc", required=True, help="the built demo disc")
        p.add_argument("--work", required=True, help="scratch directory")
    run = sub.choices["run"]
    run.add_argument("--mutants", type=int, default=100)
    run.add_argument("--seed", type=int, help="random when left out")
    run.add_argument("--jobs", type=int, default=2)
    run.add_argument("--findings", help="where crashes and hangs are kept (default WORK/findings)")
    run.add_argument("--kinds", help="only these file kinds, separated by commas")
    run.add_argument("--fail-on-finding", action="store_true")
    run.add_argument("--verbose", action="store_true", help="a line for every mutant")
    sub.choices["replay"].add_argument("--cases", required=True)
    args = parser.parse_args()
    args.lx98 = os.path.abspath(args.lx98)
    args.work = os.path.abspath(args.work)
    os.makedirs(args.work, exist_ok=True)
    if args.command == "run":
        args.findings = os.path.abspath(args.findings or os.path.join(args.work, "findings"))
        command_run(args)
    else:
        command_replay(args)


if __name__ == "__main__":
    main()
