// The files of the program folder (shipped/) read back through the program's
// own readers: the holiday table, the icons, the empty no-collection table
// and the sample document with the pages it makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "core/date.h"
#include "core/encoding.h"
#include "core/textfile.h"
#include "document/dsc_file.h"
#include "output/evaluation.h"
#include "output/page.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/noneterm.h"

namespace dustora {
namespace {

std::string ShippedPath(std::string_view name) {
  return std::string(DUSTORA_SHIPPED_DIR) + "/" + std::string(name);
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string DecodedFile(std::string_view name) {
  FsResult<std::string> read = ReadTextFile(ShippedPath(name));
  EXPECT_TRUE(read.ok()) << name;
  return read.ok() ? *read.value : std::string();
}

// The day number of a calendar cell: the digits after "valign=top>" and an
// optional red font tag; 0 for a cell without a day.
int DayNumber(const std::string& line) {
  std::size_t at = line.find("valign=top>");
  if (at == std::string::npos) return 0;
  at += std::string_view("valign=top>").size();
  const std::string_view red = "<font color=\"red\">";
  if (line.compare(at, red.size(), red) == 0) at += red.size();
  int day = 0;
  std::size_t digits = 0;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at, ++digits) day = day * 10 + (line[at] - '0');
  return digits > 0 && at < line.size() && line[at] == '<' ? day : 0;
}

class ShippedHolidaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    content = ParseHolidayFile(DecodedFile(kHolidayFileName));
    for (const Holiday& holiday : content.holidays) by_date[holiday.date.ToText()] = holiday.name;
  }
  HolidayFileContent content;
  std::map<std::string, std::string> by_date;
};

TEST_F(ShippedHolidaysTest, EveryLineReadsInDateOrderFrom1970To2050) {
  EXPECT_EQ(content.first_bad_line, 0);
  ASSERT_FALSE(content.holidays.empty());
  EXPECT_EQ(content.holidays.front().date, (Date{1970, 1, 1}));
  EXPECT_EQ(content.holidays.back().date.year, 2050);
  for (std::size_t i = 1; i < content.holidays.size(); ++i) {
    EXPECT_LT(content.holidays[i - 1].date, content.holidays[i].date) << content.holidays[i].date.ToText();
  }
  for (const Holiday& holiday : content.holidays) {
    const std::string& name = holiday.name;
    EXPECT_FALSE(name.empty()) << holiday.date.ToText();
    for (std::string_view unclean : {" ", "\t", "　", "(", "（"}) {
      EXPECT_EQ(name.find(unclean), std::string::npos) << holiday.date.ToText() << " " << name;
    }
  }
  // No year is missing: each has its New Year's Day and its vernal equinox.
  const auto name_on = [&](int year, int month, int day) { return by_date[Date{year, month, day}.ToText()]; };
  for (int year = 1970; year <= 2050; ++year) {
    EXPECT_EQ(name_on(year, 1, 1), "元日") << year;
    EXPECT_TRUE(name_on(year, 3, 20) == "春分の日" || name_on(year, 3, 21) == "春分の日") << year;
  }
}

TEST_F(ShippedHolidaysTest, NamesAsCalendarsPrintThem) {
  const std::map<std::string, std::string> expected = {
      // 2019: the enthronement, the days around it and the last 体育の日.
      {"2019/04/30", "国民の休日"},
      {"2019/05/01", "天皇の即位の日"},
      {"2019/05/02", "国民の休日"},
      {"2019/05/06", "振替休日"},
      {"2019/10/14", "体育の日"},
      {"2019/10/22", "即位礼正殿の儀"},
      // 2020 and 2021: the days moved for the Olympic Games.
      {"2020/02/24", "振替休日"},
      {"2020/07/23", "海の日"},
      {"2020/07/24", "スポーツの日"},
      {"2020/08/10", "山の日"},
      {"2021/07/22", "海の日"},
      {"2021/07/23", "スポーツの日"},
      {"2021/08/08", "山の日"},
      {"2021/08/09", "振替休日"},
      {"2026/09/22", "国民の休日"},
  };
  for (const auto& [date, name] : expected) EXPECT_EQ(by_date[date], name) << date;
  // Days that were no holidays in those years.
  for (const char* date : {"2019/12/23", "2020/10/12", "2020/08/11", "2021/10/11", "2021/08/11"}) {
    EXPECT_EQ(by_date.count(date), 0u) << date;
  }
}

TEST_F(ShippedHolidaysTest, FileHasTheBytesTheProgramWrites) {
  const std::string bytes = FileBytes(ShippedPath(kHolidayFileName));
  EXPECT_TRUE(bytes.starts_with(sjis::Encode("\"#1970/01/01#\",\"元日\"\r\n").bytes));
  const sjis::EncodeResult written = sjis::Encode(HolidayFileText(content.holidays));
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(written.bytes, bytes);
}

TEST(ShippedIconsTest, EveryIconIsATransparentGifOf42By40) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ShippedPath("img"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(entry.path().extension(), ".gif") << name;
    names.insert(name);
    const std::string b = FileBytes(entry.path().string());
    ASSERT_GE(b.size(), 13u) << name;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    EXPECT_TRUE(b.starts_with("GIF89a") || b.starts_with("GIF87a")) << name;
    EXPECT_EQ(byte(6) | byte(7) << 8, 42) << name;
    EXPECT_EQ(byte(8) | byte(9) << 8, 40) << name;
    // The graphic control block after the colour table marks a transparent
    // colour, so the badge's corners show the page.
    const std::size_t table = byte(10) & 0x80 ? 3u << ((byte(10) & 7) + 1) : 0;
    const std::size_t control = 13 + table;
    ASSERT_GE(b.size(), control + 4) << name;
    EXPECT_EQ(b.substr(control, 3), "\x21\xF9\x04") << name;
    EXPECT_EQ(byte(control + 3) & 1, 1) << name;
  }
  EXPECT_EQ(names.count(std::string(kNoneImage)), 1u);
  EXPECT_GE(names.size(), 13u);  // one for each default category, and the empty one
}

TEST(ShippedNoneTermTest, EmptyFileReadsAsNoPeriods) {
  EXPECT_EQ(std::filesystem::file_size(ShippedPath(kNoneTermFileName)), 0u);
  const NoneTermFileContent content = ParseNoneTermFile(DecodedFile(kNoneTermFileName));
  EXPECT_EQ(content.first_bad_line, 0);
  EXPECT_TRUE(content.periods.empty());
}

class ShippedSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.Clear(2011, 4);
    doc.document_path = ShippedPath("sample.dsc");
    AppSettings settings;
    std::string memo_text;
    ASSERT_TRUE(ReadDscFile(doc, settings, memo_text, Date{2011, 4, 1}, report));
    EXPECT_TRUE(report.empty());
  }
  static std::set<std::string> DefaultCategoryNames() {
    std::set<std::string> names;
    bool inside = false;
    for (std::string_view line : DefaultSettingsLines()) {
      if (line.starts_with("[")) inside = line == "[category]";
      const std::size_t equals = line.find('=');
      if (inside && equals != std::string_view::npos && equals + 1 < line.size()) {
        names.insert(std::string(line.substr(equals + 1)));
      }
    }
    return names;
  }

  Report report;
  CalendarDocument doc;
};

TEST_F(ShippedSampleTest, UsesDefaultCategoriesAndShippedIcons) {
  EXPECT_NE(doc.title, kDefaultTitle);
  EXPECT_FALSE(doc.local_name.empty());
  EXPECT_EQ(doc.show_local_name, 1);
  const std::set<std::string> defaults = DefaultCategoryNames();
  ASSERT_EQ(defaults.size(), 12u);
  int used = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (doc.category[slot].empty()) continue;
    ++used;
    EXPECT_EQ(defaults.count(doc.category[slot]), 1u) << slot << " " << doc.category[slot];
    EXPECT_TRUE(std::filesystem::is_regular_file(ShippedPath("img/" + doc.image[slot])))
        << slot << " " << doc.image[slot];
  }
  EXPECT_GE(used, 5);
  // Every-other-week rules depend on a base date of the settings; the sample has none.
  for (RuleKind kind : {RuleKind::EveryOtherA, RuleKind::EveryOtherB}) {
    for (int row = 0; row < kRowsPerKind; ++row) EXPECT_EQ(doc.category[SlotOf(kind, row)], "") << row;
  }
}

TEST_F(ShippedSampleTest, PagesShowTheCollectionDaysWithShippedIcons) {
  AppSettings settings;
  HolidayTable holidays;
  NoneTermTable periods;
  const OutputSources sources{settings, holidays, periods, ""};
  std::set<std::string> icons;
  for (int month = 1; month <= 12; ++month) {
    const auto lines = PageLines(2026, month, doc, sources);
    ASSERT_TRUE(lines.has_value()) << month;
    int days = 0;
    for (const std::string& line : *lines) {
      if (!line.starts_with("<td class=\"cal\"")) continue;
      const std::string_view icon_start = "<img src=\"img/";
      for (std::size_t at = line.find(icon_start); at != std::string::npos; at = line.find(icon_start, at + 1)) {
        const std::size_t name = at + icon_start.size();
        icons.insert(line.substr(name, line.find('"', name) - name));
      }
      const int day = DayNumber(line);
      if (day == 0) continue;
      ++days;
      const Date date{2026, month, day};
      const int weekday = date.Weekday();
      const int nth = (date.day - 1) / 7 + 1;
      const auto shows = [&](std::string_view category) {
        return line.find(">" + std::string(category) + "</font>") != std::string::npos;
      };
      const std::string where = date.ToText();
      EXPECT_EQ(shows("燃やせるごみ"), weekday == 1 || weekday == 4) << where;
      EXPECT_EQ(shows("粗大ごみ"), date.day == 15) << where;
      EXPECT_EQ(shows("空きかん"), weekday == 3 && (nth == 2 || nth == 4)) << where;
      EXPECT_EQ(shows("ペットボトル"), weekday == 5 && (nth == 1 || nth == 3)) << where;
    }
    EXPECT_EQ(days, DaysInMonth(2026, month)) << month;
  }
  EXPECT_EQ(icons.count("moeru.gif"), 1u);
  for (const std::string& name : icons) {
    EXPECT_TRUE(std::filesystem::is_regular_file(ShippedPath("img/" + name))) << name;
  }
}

}  // namespace
}  // namespace dustora
