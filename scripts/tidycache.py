#!/usr/bin/env python3
"""Runs clang-tidy over the sources of a build's compile_commands.json that match a pattern,
skipping every file whose clean result is remembered.

A result is remembered under a key made of the file's preprocessed text (comments kept, so a
NOLINT anywhere counts), the checks' configuration and clang-tidy's version; only a run with no
finding is remembered, so a finding is reported every time. The memory lives outside the
checkout and every clone shares it: the checkout's own folder is taken out of the text first.

usage: tidycache.py BUILD_DIR PATTERN JOBS
"""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

# Options that only tell the compiler where to write; the preprocessor must not write there.
WRITE_OPTIONS_WITH_VALUE = {"-o", "-MF", "-MT", "-MQ"}
WRITE_FLAGS = {"-c", "-MD", "-MMD"}


def preprocess_command(entry):
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    if os.path.basename(words[0]) == "ccache":
        words = words[1:]
    out, skip = [], False
    for word in words:
        if skip:
            skip = False
        elif word in WRITE_OPTIONS_WITH_VALUE:
            skip = True
        elif word not in WRITE_FLAGS:
            out.append(word)
    return out + ["-E", "-P", "-C", "-o", "-"]


def cache_folder():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    folder = os.path.join(base, "chimelet-tidy")
    os.makedirs(folder, exist_ok=True)
    return folder


def main():
    build, pattern, jobs = sys.argv[1], re.compile(sys.argv[2]), int(sys.argv[3])
    root = os.path.dirname(os.path.abspath(build)).encode()
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        entries = [e for e in json.load(f) if pattern.search(e["file"])]
    with open(os.path.join(root.decode(), ".clang-tidy"), "rb") as f:
        salt = f.read()
    salt += subprocess.run(["clang-tidy", "--version"], capture_output=True, check=True).stdout
    folder = cache_folder()

    def check(entry):
        pre = subprocess.run(preprocess_command(entry), cwd=entry["directory"],
                             capture_output=True, check=False)
        key = None
        if pre.returncode == 0:
            digest = hashlib.sha256(salt)
            digest.update(os.path.relpath(entry["file"], root.decode()).encode() + b"\0")
            digest.update(pre.stdout.replace(root, b"@ROOT@"))
            key = os.path.join(folder, digest.hexdigest())
            if os.path.exists(key):
                return entry["file"], True, ""
        run = subprocess.run(["clang-tidy", "-p", build, "-quiet", entry["file"]],
                             capture_output=True, text=True, check=False)
        text = run.stdout + run.stderr
        clean = run.returncode == 0 and not re.search(r"(warning|error):", text)
        if clean and key:
            with open(key, "w", encoding="utf-8"):
                pass
        return entry["file"], False, "" if clean else text

    remembered = failed = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        for name, hit, findings in pool.map(check, entries):
            remembered += hit
            if findings:
                failed += 1
                print(f"== {name}\n{findings}")
    print(f"clang-tidy: {len(entries)} files, {remembered} remembered clean, {failed} with findings")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
