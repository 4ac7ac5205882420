#!/usr/bin/env python3
"""Makes shipped/holiday.csv, the holiday table the program ships, from the
holiday-jp list of Japanese public holidays (holidays.yml, MIT).

    scripts/make-holidays.py [holidays.yml] [holiday.csv]

The list holds one "YYYY-MM-DD: name" line a day after a "---" line. The
table gets one line a day, in date order, in the program's own format:
"#yyyy/MM/dd#","name", Shift_JIS (cp932), CR LF, no header. Names become
the ones printed calendars use; a line that cannot be read, a date out of
order, a name that is still not a plain calendar name or one cp932 cannot
hold stops the script without writing anything.
"""

import datetime
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DEFAULT_SOURCE = "/work/shared/data/holidays/holiday-jp/holidays.yml"
DEFAULT_TARGET = os.path.join(ROOT, "shipped", "holiday.csv")

FIRST_YEAR = 1970
LAST_YEAR = 2050

LINE = re.compile(r"^(\d{4})-(\d{2})-(\d{2}): (\S.*?)\s*$")

# The list writes a substitute holiday as "<holiday> 振替休日".
SUBSTITUTE_SUFFIX = " 振替休日"
SUBSTITUTE_NAME = "振替休日"
# A day between two holidays is just "休日" in the list.
CITIZENS_SOURCE = "休日"
CITIZENS_NAME = "国民の休日"

# Days the list names in its own way: date -> (name in the list, calendar name).
SINGLE_DAYS = {
    datetime.date(2019, 5, 1): ("休日（祝日扱い）", "天皇の即位の日"),
    datetime.date(2019, 10, 22): ("休日（祝日扱い）", "即位礼正殿の儀"),
    datetime.date(2019, 10, 14): ("体育の日（スポーツの日）", "体育の日"),
}

# Characters a calendar name must not hold: blanks and brackets, half and
# full width; any of them means the list has a form this script does not know.
UNCLEAN = re.compile(r"[\s\u3000()（）\[\]［］「」【】]")


class Failure(Exception):
    pass


def calendar_name(day, name, where):
    if day in SINGLE_DAYS:
        listed, shown = SINGLE_DAYS[day]
        if name != listed:
            raise Failure(f"{where}: {day} is named {name!r}, expected {listed!r}")
        return shown
    if name.endswith(SUBSTITUTE_SUFFIX):
        return SUBSTITUTE_NAME
    if name == CITIZENS_SOURCE:
        return CITIZENS_NAME
    return name


def read_days(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()  # the final line end
    days = []
    previous = None
    seen_single = set()
    for number, line in enumerate(lines, start=1):
        where = f"{path}:{number}"
        if number == 1 and line == "---":
            continue
        match = LINE.match(line)
        if not match:
            raise Failure(f"{where}: cannot read {line!r}")
        try:
            day = datetime.date(int(match[1]), int(match[2]), int(match[3]))
        except ValueError as e:
            raise Failure(f"{where}: {e}: {line!r}")
        if previous is not None and day <= previous:
            raise Failure(f"{where}: {day} does not come after {previous}")
        previous = day
        if not FIRST_YEAR <= day.year <= LAST_YEAR:
            continue
        name = calendar_name(day, match[4], where)
        if day in SINGLE_DAYS:
            seen_single.add(day)
        if UNCLEAN.search(name):
            raise Failure(f"{where}: {name!r} is no calendar name; map it in this script")
        days.append((day, name))
    missing = sorted(set(SINGLE_DAYS) - seen_single)
    if missing:
        raise Failure(f"{path}: the list has no line for {', '.join(map(str, missing))}")
    if not days:
        raise Failure(f"{path}: no holidays from {FIRST_YEAR} to {LAST_YEAR}")
    return days


def table_bytes(days):
    out = bytearray()
    for day, name in days:
        line = f'"#{day.year:04d}/{day.month:02d}/{day.day:02d}#","{name}"\r\n'
        try:
            out += line.encode("cp932")
        except UnicodeEncodeError as e:
            raise Failure(f"{day}: {name!r}: cp932 cannot hold {line[e.start:e.end]!r}")
    return bytes(out)


def main(argv):
    if len(argv) > 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    source = argv[1] if len(argv) > 1 else DEFAULT_SOURCE
    target = argv[2] if len(argv) > 2 else DEFAULT_TARGET
    try:
        days = read_days(source)
        data = table_bytes(days)
    except (Failure, OSError, UnicodeDecodeError) as e:
        print(f"make-holidays: {e}", file=sys.stderr)
        return 1
    temporary = target + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, target)
    print(f"{target}: {len(days)} holidays, {days[0][0]} .. {days[-1][0]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
