#!/usr/bin/python3
"""Writes the manual page hmanager(1), gzipped, from sections of README.md, so the two
cannot drift apart.

    readme_to_man.py README.md OUTPUT.1.gz VERSION "Heading=MAN SECTION"...

Knows the little Markdown those sections use: paragraphs, "- " lists, fenced code,
`code`, **bold**, links and pictures (dropped). Fails when a heading is missing.
"""
import gzip
import re
import sys

HEAD = """.TH HMANAGER 1 "" "hmanager {version}" "User Commands"
.SH NAME
hmanager \\- keep and publish the content of hotel information screens
.SH SYNOPSIS
.B hmanager
.SH DESCRIPTION
The operator of hotel information screens keeps their content here and publishes it to the
content server over FTP: hotel phrases, video categories, property sales, and a manual FTP
browser. The content server is compiled in; the program reads no options.
"""


def section(readme, heading):
    match = re.search(r"^#+ " + re.escape(heading) + r"\n(.*?)(?=^#+ |\Z)", readme, re.S | re.M)
    if not match:
        sys.exit(f"README.md has no section \"{heading}\"")
    return match.group(1).strip("\n")


def inline(text):
    text = text.replace("\\", "\\e")
    text = re.sub(r"!\[[^]]*\]\([^)]*\)", "", text)
    text = re.sub(r"\[([^]]*)\]\([^)]*\)", r"\1", text)
    text = re.sub(r"`([^`]*)`|\*\*([^*]*)\*\*", lambda m: "\\fB\\%" + (m[1] or m[2]) + "\\fR", text)
    return re.sub(r"^([.'])", r"\\&\1", text, flags=re.M)


def to_roff(markdown):
    out = []
    blocks = re.split(r"\n\s*\n", markdown)
    for block in blocks:
        if block.startswith("```"):
            code = block.split("\n")[1:-1]
            out += [".PP", ".nf"] + [inline(line) for line in code] + [".fi"]
        elif block.startswith("- "):
            for item in re.split(r"^- ", block, flags=re.M)[1:]:
                out += [".IP \\(bu 2", inline(" ".join(item.split()))]
        elif inline(block).strip():
            out += [".PP", inline(" ".join(block.split()))]
    return "\n".join(out) + "\n"


def main():
    readme_path, output, version, *sections = sys.argv[1:]
    with open(readme_path, encoding="utf-8") as f:
        readme = f.read()
    page = HEAD.format(version=version)
    for pair in sections:
        heading, _, name = pair.partition("=")
        page += f".SH {name}\n" + to_roff(section(readme, heading))
    with open(output, "wb") as f:
        f.write(gzip.compress(page.encode("utf-8"), mtime=0))


if __name__ == "__main__":
    main()
