// Every area of a synthetic city of fifty areas in one run: the files and
// their names, report.csv, an area that cannot be written among good ones,
// cancelling, and the sheets against what --sheet writes for one area.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/cli.h"
#include "core/filesystem.h"
#include "output/city_run.h"
#include "support/temp_folder.h"

namespace dustora {
namespace {

using testing::TempFolder;

int Cli(const std::vector<std::string>& args, std::string* out = nullptr) {
  std::ostringstream out_stream;
  std::ostringstream err;
  CliHost host;
  host.today = Date{2026, 12, 10};
  host.now_utc = 1301634245;
  host.environment = [](std::string_view) -> std::optional<std::string> { return std::nullopt; };
  const int code = CliMain(args, out_stream, err, host);
  if (out != nullptr) *out = out_stream.str();
  return code;
}

// Fifty areas: the names a file name cannot hold as they are among them.
std::vector<std::string> AreaNames() {
  std::vector<std::string> names = {"本町", "本町", "本町", "a/b:c*d?\"<>|", ".hidden", std::string(120, 'x') + "町"};
  while (names.size() < 50) names.push_back("緑町" + std::to_string(names.size()));
  return names;
}

void WriteCity(const TempFolder& open) {
  std::string areas = "地名,センター,燃やせるごみ,資源\n";
  const std::vector<std::string> names = AreaNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    areas += "\"" + std::string(names[i] == "a/b:c*d?\"<>|" ? "a/b:c*d?\"\"<>|" : names[i]) + "\",東,月 木," +
             (i % 10 == 4 ? "水;金" : "水2 *1") + "\n";
  }
  open.Write("area_days.csv", areas);
  open.Write("remarks.csv", "id,text\n1,資源は朝8時までに\n");
}

TEST(CityRunTest, NamesAreMadeSafeAndUnique) {
  OpenData data;
  for (const std::string& name : AreaNames()) data.areas.push_back({name, "", {}});
  const std::vector<std::string> names = AreaFileNames(data);
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 5),
            (std::vector<std::string>{"本町", "本町-2", "本町-3", "a_b_c_d_____", "_hidden"}));
  EXPECT_EQ(names[5], std::string(100, 'x'));  // 町 would pass 100 bytes
}

TEST(CityRunTest, EveryAreasFilesAndTheReportOnManyThreads) {
  TempFolder open;
  TempFolder data_folder;
  TempFolder out;
  WriteCity(open);
  // An area whose document cannot be written: a folder stands in its place.
  std::filesystem::create_directory(out.Join("緑町20.dsc"));
  out.Write("unrelated.txt", "keep");
  std::string summary;
  const int code = Cli({"--data-folder", data_folder.path(), "--import", open.path(), "--all-areas", out.path(),
                        "--sheet", "--with-ics", "--year", "2026", "--month", "4"},
                       &summary);
  EXPECT_EQ(code, 1);  // one area failed
  EXPECT_NE(summary.find("areas 50, mapped exactly 45, with unmapped terms 5, failed 1, files written "),
            std::string::npos)
      << summary;
  for (const char* name : {"本町.dsc", "本町.mmo", "本町.html", "本町.ics", "本町-3.html", "_hidden.ics"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(out.Join(name))) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(out.Join("緑町20.html")));
  EXPECT_EQ(out.Read("unrelated.txt"), "keep");
  const std::string report = out.Read("report.csv");
  EXPECT_TRUE(report.starts_with("\xEF\xBB\xBF\"地域\",\"ファイル\",\"分別の種類\",\"指定\",\"結果\"\r\n"));
  EXPECT_NE(report.find("\"緑町14\",\"緑町14\",\"資源\",\"水;金\",\"× 「;」で区切った指定には対応していません\"\r\n"),
            std::string::npos);
  EXPECT_NE(report.find("\"緑町20\",\"緑町20\",\"\",\"\",\"× 書き込めません: "), std::string::npos);
  EXPECT_NE(report.find("\"本町-2\",\"燃やせるごみ\",\"月\",\"毎週(1) 1行目: 月曜日\"\r\n"), std::string::npos);

  // The sheet of one area is what --sheet writes for the area imported alone.
  ASSERT_EQ(Cli({"--data-folder", data_folder.path(), "--import", open.path(), "--area", "緑町7", "--save",
                 open.Join("alone.dsc")}),
            0);
  ASSERT_EQ(Cli({"--data-folder", data_folder.path(), "--year", "2026", "--month", "4", "--sheet", "--output",
                 open.Join("alone.html"), open.Join("alone.dsc")}),
            0);
  EXPECT_EQ(out.Read("緑町7.html"), open.Read("alone.html"));
}

TEST(CityRunTest, CancellingBeforeTheRunStartsNoArea) {
  TempFolder open;
  TempFolder out;
  WriteCity(open);
  const OpenData data = std::get<OpenData>(ReadOpenData(open.path()));
  CityRunRequest request;
  request.out_folder = out.path();
  const AppSettings settings;
  const HolidayTable holidays;
  const NoneTermTable periods;
  CityRunProgress progress;
  progress.cancel = true;
  const CityRunSummary summary = RunCity(data, request, {settings, holidays, periods, ""}, progress);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(summary.areas, 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1);  // report.csv only
}

}  // namespace
}  // namespace dustora
