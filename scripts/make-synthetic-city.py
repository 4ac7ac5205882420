#!/usr/bin/env python3
"""Writes a synthetic city's collection schedules as open data in the CSV
layout of the 5374 family (area_days.csv, description.csv, center.csv,
remarks.csv), from the cell grammar dustora imports: every term kind, months,
extra days, remarks and two centres with a New Year closure. A share of the
cells is written in dialects dustora does not guess at (";" groups, months
of their own per term, "第2水"), as real data has them. The same arguments
always write the same files.

    scripts/make-synthetic-city.py OUTDIR [--areas N] [--categories K] [--dialects SHARE] [--seed S]
    scripts/make-synthetic-city.py OUTDIR --check build/app/dustora-cli

With --check it imports every area of OUTDIR with dustora-cli and prints how
many were mapped exactly (no line on standard error).
"""
import argparse
import datetime
import os
import random
import subprocess
import sys
import tempfile

CATEGORIES = [
    ("燃やせるごみ", "#F44336"), ("燃やせないごみ", "#607D8B"), ("プラスチック製容器包装", "#4CAF50"),
    ("缶・びん", "#2196F3"), ("ペットボトル", "#FFEB3B"), ("古紙・古布", "#9C27B0"),
    ("有害ごみ", "#795548"), ("小型家電", "#00BCD4"), ("粗大ごみ", "#FF9800"), ("剪定枝", "#8BC34A"),
    ("資源プラスチック", "#CDDC39"), ("紙パック", "#E91E63"),
]
TOWNS = ["本町", "東町", "西町", "南町", "北町", "緑が丘", "桜台", "若葉", "旭", "栄", "中央", "新田",
         "松原", "青葉台", "富士見", "山手", "港", "川端", "宮前", "大谷"]
WEEKDAYS = "日月火水木金土"


def cell(rng, category, dialects):
    """One cell of the grammar, or now and then of a dialect."""
    if rng.random() < dialects:
        return rng.choice(["月;木", f"水2:4 6 水4:5 7", "第2水", "月・木", "毎週火"])
    day = lambda: rng.choice(WEEKDAYS[1:6])
    if category in (0, 10):
        first, second = rng.sample(WEEKDAYS[1:6], 2)
        return f"{first} {second}"
    if category in (1, 6, 7):
        return f"{day()}{rng.randint(1, 4)}"
    if category in (2, 3, 4):
        return day()
    if category == 5:
        return f"{day()}1 {day()}3" + (" *1" if rng.random() < 0.3 else "")
    if category == 8:
        start = datetime.date(2026, 4, rng.randint(1, 14))
        weekday = WEEKDAYS[(start.weekday() + 1) % 7]  # the date's own weekday
        return f"隔{weekday}{start:%Y%m%d}"
    if category == 9:
        return f"{day()}2" + (" 20260110" if rng.random() < 0.5 else "") + ":4 5 6 7 8 9 10 11"
    return "" if rng.random() < 0.5 else f"{day()}4 *2"


def write(out, areas, categories, dialects, seed):
    rng = random.Random(seed)
    os.makedirs(out, exist_ok=True)
    used = CATEGORIES[:categories]
    rows = ["地名,センター," + ",".join(name for name, _ in used)]
    names = set()
    for i in range(areas):
        town = TOWNS[i % len(TOWNS)]
        name = f"{town}{i // len(TOWNS) + 1}丁目"
        names.add(name)
        centre = "東部センター" if i % 2 == 0 else "西部センター"
        cells = [cell(rng, c, dialects) for c in range(len(used))]
        rows.append(",".join([name, centre] + [f'"{c}"' for c in cells]))
    with open(os.path.join(out, "area_days.csv"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\ufeff" + "\n".join(rows) + "\n")
    with open(os.path.join(out, "description.csv"), "w", encoding="utf-8") as f:
        f.write("label,sublabel,description,styles,bgcolor\n")
        for name, color in used:
            f.write(f"{name},,,,{color}\n")
    with open(os.path.join(out, "center.csv"), "w", encoding="utf-8") as f:
        f.write("名称,休止開始日,休止終了日\n東部センター,2026/12/29,2027/1/3\n西部センター,2026/12/30,2027/01/04\n")
    with open(os.path.join(out, "remarks.csv"), "w", encoding="utf-8") as f:
        f.write("id,text\n1,古紙は雨の日も出せます\n2,小型家電は拠点回収もあります\n")


def check(out, cli):
    with open(os.path.join(out, "area_days.csv"), encoding="utf-8-sig") as f:
        names = [line.split(",", 1)[0] for line in f.read().splitlines()[1:] if line]
    exact = 0
    with tempfile.TemporaryDirectory() as work:
        data = os.path.join(work, "data")
        os.mkdir(data)
        for i, name in enumerate(names):
            run = subprocess.run([cli, "--data-folder", data, "--import", out, "--area", name,
                                  "--save", os.path.join(work, f"{i}.dsc")], capture_output=True, text=True)
            if run.returncode != 0:
                sys.exit(f"{name}: exit {run.returncode}: {run.stderr}")
            exact += run.stderr == ""
    print(f"areas {len(names)}, mapped exactly {exact} ({100 * exact / len(names):.1f} %)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--areas", type=int, default=50)
    parser.add_argument("--categories", type=int, default=10)
    parser.add_argument("--dialects", type=float, default=0.02)
    parser.add_argument("--seed", type=int, default=5374)
    parser.add_argument("--check", metavar="DUSTORA_CLI")
    args = parser.parse_args()
    if args.check:
        check(args.out, args.check)
    else:
        write(args.out, args.areas, min(args.categories, len(CATEGORIES)), args.dialects, args.seed)


if __name__ == "__main__":
    main()
