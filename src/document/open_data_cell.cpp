#include "document/open_data_cell.h"

#include <array>
#include <optional>

#include "core/text.h"

namespace dustora {

namespace {

constexpr std::array<std::string_view, 7> kWeekdayLetters = {"日", "月", "火", "水", "木", "金", "土"};
constexpr std::string_view kEveryOther = "隔";

std::optional<int> WeekdayOf(std::string_view letter) {
  for (std::size_t i = 0; i < kWeekdayLetters.size(); ++i) {
    if (kWeekdayLetters[i] == letter) return static_cast<int>(i);
  }
  return std::nullopt;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "20260110" as a date.
std::optional<Date> EightDigitDate(std::string_view text) {
  if (text.size() != 8 || !AllDigits(text)) return std::nullopt;
  const int year = std::stoi(std::string(text.substr(0, 4)));
  const int month = std::stoi(std::string(text.substr(4, 2)));
  const int day = std::stoi(std::string(text.substr(6, 2)));
  if (!IsRealDate(year, month, day)) return std::nullopt;
  return Date{year, month, day};
}

// The cell's terms: split on half- and full-width blanks and tabs.
std::vector<std::string> Terms(std::string_view cell) {
  std::vector<std::string> terms;
  std::string term;
  for (const std::string_view character : Utf8Characters(cell)) {
    if (character == " " || character == "\t" || character == "　") {
      if (!term.empty()) terms.push_back(std::move(term));
      term.clear();
    } else {
      term += character;
    }
  }
  if (!term.empty()) terms.push_back(std::move(term));
  return terms;
}

// One term, or why it is not read.
std::optional<CellTerm> ReadTerm(const std::string& text, std::string& why) {
  CellTerm term;
  term.text = text;
  const std::vector<std::string_view> characters = Utf8Characters(text);
  if (text.starts_with("*") || text.starts_with("＊")) {
    term.kind = CellTermKind::Remark;
    term.remark = text.substr(text.starts_with("*") ? 1 : std::string_view("＊").size());
    if (term.remark.empty()) {
      why = "備考の番号がありません";
      return std::nullopt;
    }
    return term;
  }
  if (const std::optional<Date> day = EightDigitDate(text)) {
    term.kind = CellTermKind::ExtraDay;
    term.date = *day;
    return term;
  }
  if (!characters.empty() && characters.front() == kEveryOther) {
    const std::optional<int> weekday = characters.size() > 1 ? WeekdayOf(characters[1]) : std::nullopt;
    const std::size_t date_at = kEveryOther.size() + (characters.size() > 1 ? characters[1].size() : 0);
    const std::optional<Date> date = weekday ? EightDigitDate(std::string_view(text).substr(date_at)) : std::nullopt;
    if (!date) {
      why = "隔週の指定は「隔」、曜日、日付8桁で書きます";
      return std::nullopt;
    }
    term.kind = CellTermKind::EveryOtherWeek;
    term.weekday = *weekday;
    term.date = *date;
    return term;
  }
  const std::optional<int> weekday = characters.empty() ? std::nullopt : WeekdayOf(characters.front());
  if (!weekday) {
    why = "読み取れない指定です";
    return std::nullopt;
  }
  term.weekday = *weekday;
  const std::string_view rest = std::string_view(text).substr(characters.front().size());
  if (rest.empty()) {
    term.kind = CellTermKind::EveryWeek;
    return term;
  }
  if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '5') {
    term.kind = CellTermKind::NthWeekday;
    term.nth = rest[0] - '0';
    return term;
  }
  why = AllDigits(rest) ? "第何週かは1から5までです" : "読み取れない指定です";
  return std::nullopt;
}

}  // namespace

std::string_view WeekdayLetter(int weekday) {
  return kWeekdayLetters[static_cast<std::size_t>(weekday) % kWeekdayLetters.size()];
}

ParsedCell ParseCell(std::string_view cell) {
  ParsedCell parsed;
  const std::string whole(TrimBlanks(cell));
  // Groups separated by ";" (another dialect) are not taken apart.
  if (whole.find(';') != std::string::npos || whole.find("；") != std::string::npos) {
    parsed.unread.push_back({whole, "「;」で区切った指定には対応していません"});
    return parsed;
  }
  // The months: everything after the first ":".
  std::string_view terms_part = whole;
  std::size_t colon = whole.find(':');
  std::size_t colon_size = 1;
  if (const std::size_t wide = whole.find("：");
      wide != std::string::npos && (colon == std::string::npos || wide < colon)) {
    colon = wide;
    colon_size = std::string_view("：").size();
  }
  bool months_read = true;
  if (colon != std::string::npos) {
    terms_part = std::string_view(whole).substr(0, colon);
    const std::string months_text = whole.substr(colon + colon_size);
    MonthSet months = 0;
    for (const std::string& item : Terms(months_text)) {
      const bool month = AllDigits(item) && item.size() <= 2 && std::stoi(item) >= 1 && std::stoi(item) <= 12;
      if (!month) {
        months_read = false;
        break;
      }
      months = static_cast<MonthSet>(months | (1U << std::stoi(item)));
    }
    if (months == 0) months_read = false;
    if (months_read) {
      parsed.months = months;
    } else {
      parsed.unread.push_back({whole.substr(colon), "月の指定が読み取れません（「:」のあとは月の数字だけです）"});
    }
  }
  for (const std::string& text : Terms(terms_part)) {
    std::string why;
    std::optional<CellTerm> term = ReadTerm(text, why);
    if (!term) {
      parsed.unread.push_back({text, why});
    } else if (!months_read && term->IsWeekdayTerm()) {
      // Its months are not known: no day is better than a wrong one.
      parsed.unread.push_back({text, "月の指定が読み取れないため使いません"});
    } else {
      parsed.terms.push_back(std::move(*term));
    }
  }
  return parsed;
}

}  // namespace dustora
