#include "app/cli.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <thread>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "document/dsc_file.h"
#include "output/ical.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "output/page.h"
#include "session/lifecycle.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "support/command_output.h"
#include "support/golden.h"
#include "support/temp_folder.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"

namespace dustora {
namespace {

using testing::TempFolder;

struct CliRun {
  int code = 0;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    CliHost host;
    host.today = Date{2011, 4, 1};
    host.now_utc = kNow;
    host.environment = [this](std::string_view name) -> std::optional<std::string> {
      if (name == "HOME" && has_home) return home.path();
      return std::nullopt;
    };
    run.code = CliMain(args, out, err, host);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  std::string Page(std::string_view name = "temp.html") const { return sjis::Decode(data.Read(name)); }
  // What the window's command writes of the session.
  static std::string ProgramWrites(const Session& session, const Output& output, OutputRequest request) {
    const OutputSources sources{session.settings, session.holidays, session.periods, session.memo_text};
    request.options.now_utc = kNow;
    Report report;
    const OutputResult made = MakeOutput(output, session.document, sources, request, report);
    EXPECT_TRUE(made.ok() && made.made.items > 0);
    return made.made.bytes;
  }
  // The program's reading of the data folder at start-up, then Open of `doc`.
  void ReadAsTheProgram(Session& session, const std::string& doc, Report& report) {
    session.folders.data_folder = data.path();
    session.document.Clear(2011, 4);
    LoadSettings(data.path(), "", session.settings, session.document, report);
    LoadHolidays(session, report);
    LoadNoCollectionPeriods(session, report);
    session.document.document_path = doc;
    ASSERT_TRUE(ReadDscFile(session.document, session.settings, session.memo_text, Date{2011, 4, 1}, report));
  }

  static constexpr std::int64_t kNow = 1301634245;  // 2011-04-01 05:04:05 UTC

  TempFolder data;
  TempFolder home;
  bool has_home = true;
};

TEST_F(CliTest, UsageErrorsWriteNothing) {
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: dustora-cli", 0), 0u);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--colour", "red"},
                                               {"--year", "2011"},
                                               {"--month", "4"},
                                               {"--year", "0", "--month", "4"},
                                               {"--year", "10000", "--month", "4"},
                                               {"--year", "2011", "--month", "13"},
                                               {"--year", "2011", "--month", "x"},
                                               {"--output"},
                                               {"--months", "0"},
                                               {"--months", "25"},
                                               {"--months", "twelve"},
                                               {"--months", "-3"},
                                               {"--months"},
                                               {"--ics"},
                                               {"--ics", ""},
                                               {"--ics", data.Join("a.ics"), "--output", data.Join("a.html")},
                                               {"--reminder", "eve"},
                                               {"--ics", data.Join("a.ics"), "--reminder", "noon"},
                                               {"--ics", data.Join("a.ics"), "--months", "37"},
                                               {"--sheet", "--months", "12"},
                                               {"--sheet", "--ics", data.Join("a.ics")},
                                               {"--import", data.path(), "--area", "A"},
                                               {"--import", data.path(), "--area", "A", "--save", "a.dsc", "--sheet"},
                                               {data.Join("none.dsc")}}) {
    std::vector<std::string> full = {"--data-folder", data.path()};
    full.insert(full.end(), args.begin(), args.end());
    const CliRun run = Cli(full);
    EXPECT_EQ(run.code, 2) << args[0];
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(data.path()));
}

// An output never writes over what the run reads: the document, or a file
// of the data folder or its subfolders, also through a link or a hard link.
// The outputs' own names there may be written.
TEST_F(CliTest, AnOutputNeverWritesOverWhatTheRunReads) {
  const std::string doc = home.Write("町内.dsc", sjis::Encode("[WeekName]\r\n0=月\r\n").bytes);
  const std::string ini = data.Write("dustora.ini", "[Cell]\r\n");
  data.Write("img/moeru.gif", "GIF89a");
  std::filesystem::create_hard_link(ini, home.Join("hard.ini"));
  std::filesystem::create_symlink(ini, home.Join("link.html"));
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--output", doc, doc},
                                               {"--ics", data.Join("holiday.csv"), doc},
                                               {"--output", data.Join("dustora.ini")},
                                               {"--output", data.Join("img/moeru.gif")},
                                               {"--output", home.Join("hard.ini")},
                                               {"--ics", home.Join("link.html")},
                                               {"--output", ""}}) {
    std::vector<std::string> full = {"--data-folder", data.path()};
    full.insert(full.end(), args.begin(), args.end());
    const CliRun run = Cli(full);
    EXPECT_EQ(run.code, 2) << args[1];
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(sjis::Decode(home.Read("町内.dsc")), "[WeekName]\r\n0=月\r\n");
  EXPECT_EQ(data.Read("dustora.ini"), "[Cell]\r\n");
  EXPECT_EQ(data.Read("img/moeru.gif"), "GIF89a");
  EXPECT_FALSE(std::filesystem::exists(data.Join("holiday.csv")));
  EXPECT_EQ(Cli({"--data-folder", data.path(), "--output", data.Join("year.html"), doc}).code, 0);
  const std::string memo = home.Write("町内.mmo", "ゴミ");
  const std::string tied = home.Write("tied.dsc", sjis::Encode("[Memo]\r\nOP=1\r\nPath=" + memo + "\r\n").bytes);
  EXPECT_EQ(Cli({"--data-folder", data.path(), "--output", memo, tied}).code, 2);
  EXPECT_EQ(home.Read("町内.mmo"), "ゴミ");
}

TEST_F(CliTest, RendersTheDefaultsWithoutWritingTheDataFolder) {
  const CliRun run = Cli({"--data-folder", data.path()});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
  const std::string page = Page();
  EXPECT_NE(page.find("<title>ダストーラ</title>"), std::string::npos);
  EXPECT_NE(page.find("2011年4月"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.path()), {}), 1);  // temp.html only

  // The sheet starts in April of the fiscal year that holds this month.
  ASSERT_EQ(Cli({"--data-folder", data.path(), "--sheet"}).code, 0);
  EXPECT_NE(Page("sheet.html").find("2011年度 (2011年4月～2012年3月)"), std::string::npos);
}

TEST_F(CliTest, TheDocumentDecidesTheMonthWhenItIsStored) {
  std::string ini = DefaultSettingsText() + "[File]\r\nDate=1\r\n";
  data.Write("dustora.ini", sjis::Encode(ini).bytes);
  const std::string doc =
      home.Write("町内.dsc", sjis::Encode("[Date]\r\nYear=2012\r\nMonth=2\r\n[Category]\r\n0=燃やせるごみ\r\n"
                                          "[WeekName]\r\n0=月\r\n[Title]\r\nString=緑町\r\n")
                                 .bytes);
  ASSERT_EQ(Cli({"--data-folder", data.path(), doc}).code, 0);
  EXPECT_NE(Page().find("2012年2月"), std::string::npos);
  EXPECT_NE(Page().find("<title>緑町</title>"), std::string::npos);
  EXPECT_NE(Page().find(">燃やせるごみ</font>"), std::string::npos);
  ASSERT_EQ(
      Cli({"--data-folder", data.path(), "--year", "2011", "--month", "12", "--output", home.Join("dec.html"), doc})
          .code,
      0);
  EXPECT_NE(sjis::Decode(home.Read("dec.html")).find("2011年12月"), std::string::npos);
}

TEST_F(CliTest, MessageBoxesGoToStandardErrorAndTheRenderGoesOn) {
  std::string ini = DefaultSettingsText();
  ini.replace(ini.find("SP=0"), 4, "SP=x");
  data.Write("dustora.ini", sjis::Encode(ini).bytes);
  data.Write("holiday.csv", sjis::Encode("\"#2011/04/29#\",\"昭和の日\"\r\ngarbage\r\n").bytes);
  const CliRun run = Cli({"--data-folder", data.path()});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err,
            "エラーが発生しました(GetInitial)\nエラー番号: 13\n内容: 型が一致しません。\n\n"
            "エラーが発生しました(GetHoliday)\nエラー番号: 13\n内容: 型が一致しません。(2行目)\n");
  EXPECT_NE(Page().find("昭和の日"), std::string::npos);

  // A 隔週 row without a base date is said first, in a line of its own.
  const std::string doc = home.Write("a.dsc", sjis::Encode("[WeekName]\r\n45=火\r\n[Category]\r\n50=かん\r\n").bytes);
  const CliRun every_other = Cli({"--data-folder", data.path(), doc});
  EXPECT_EQ(every_other.code, 0);
  EXPECT_EQ(every_other.err.rfind("隔週の基準日が設定されていないため、隔週の収集日は入りません。\n", 0), 0u);
}

TEST_F(CliTest, FailuresToReadOrWriteAreExitOne) {
  const CliRun unwritable = Cli({"--data-folder", data.path(), "--output", data.Join("no/such/page.html")});
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_EQ(unwritable.err, "dustora-cli: the page cannot be written: " + data.Join("no/such/page.html") +
                                ": パスが見つかりません。\n");
  const std::string locked = home.Write("locked.html", "");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
  const CliRun refused_write = Cli({"--data-folder", data.path(), "--output", locked});
  EXPECT_EQ(refused_write.err, "dustora-cli: the page cannot be written: 書き込みの許可がありません: " + locked + "\n");

  class FailingReads : public RealFileSystem {
   public:
    int errno_value = 0;
    FsResult<std::string> ReadFile(std::string_view path) override {
      if (path.ends_with(".dsc")) return {std::nullopt, FileErrorOfErrno(errno_value, path, false)};
      return RealFileSystem::ReadFile(path);
    }
  } failing;
  const std::string doc = home.Write("a.dsc", "[Title]\r\n");
  const std::string folder = home.Join("folder.dsc");
  std::filesystem::create_directory(folder);
  // One line with what the error box said of the file, naming it once.
  const struct {
    std::string document;
    int read_errno;
    int code;
    std::string said;
  } unreadables[] = {
      {home.Join("none.dsc"), 0, 2, "dustora-cli: ファイルが見つかりません: " + home.Join("none.dsc") + "\n"},
      {folder, 0, 2, "dustora-cli: フォルダーは開けません: " + folder + "\n"},
      {doc, EACCES, 1, "dustora-cli: 読み取りの許可がありません: " + doc + "\n"},
      {doc, EIO, 1,
       "dustora-cli: the document cannot be read: " + doc + ": エラー番号: 57 内容: デバイス I/O エラーです。\n"},
  };
  for (const auto& unreadable : unreadables) {
    failing.errno_value = unreadable.read_errno;
    if (unreadable.read_errno != 0) SetFileSystem(&failing);
    const CliRun run = Cli({"--data-folder", data.path(), unreadable.document});
    SetFileSystem(nullptr);
    EXPECT_EQ(run.code, unreadable.code) << unreadable.said;
    EXPECT_EQ(run.err, unreadable.said);
  }
  EXPECT_FALSE(std::filesystem::exists(data.Join("temp.html")));

  // Without a home there is no data folder: nothing at the root.
  has_home = false;
  const CliRun homeless = Cli({});
  EXPECT_EQ(homeless.code, 1);
  EXPECT_EQ(homeless.err,
            "dustora-cli: no data folder can be found (neither HOME nor XDG_DATA_HOME is set); name one with "
            "--data-folder\n");
  EXPECT_FALSE(std::filesystem::exists("/Tessaloom"));
  EXPECT_EQ(Cli({"--data-folder", data.path()}).code, 0);  // a named folder needs no home

  // A file that is no document.
  const std::string letter = home.Write("letter.dsc", "Dear neighbours,\n");
  const CliRun refused = Cli({"--data-folder", data.path(), "--output", home.Join("x.html"), letter});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "dustora-cli: ダストーラファイルではありません: letter.dsc\n");
  EXPECT_FALSE(std::filesystem::exists(data.Join("x.html")));
}

// Each reader takes a file of exactly kReadLimit bytes and refuses one byte
// more with error 7 under its own tag, while the rest still loads.
TEST_F(CliTest, EveryReaderTakesSixteenMebibytesAndRefusesOneByteMore) {
  const auto sjis = [](std::string_view text) { return sjis::Encode(text).bytes; };
  const std::string memo = home.Join("m.mmo");
  const std::string doc = home.Join("a.dsc");
  struct Reader {
    std::string path;
    std::string tag;
    std::string content;  // padded with `pad` to the size under test
    char pad;
    std::string shown;   // on the page only when the file was read
    bool hides = false;  // or, for the periods, off the page only then
  };
  std::string settings = DefaultSettingsText() + ";";
  settings.replace(settings.find("String=ダストーラ"), std::string("String=ダストーラ").size(), "String=大きな設定");
  const std::vector<Reader> readers = {
      {data.Join("dustora.ini"), "GetInitial", sjis(settings), ';', "<title>大きな設定</title>"},
      {data.Join("holiday.csv"), "GetHoliday", sjis("\"#2011/04/29#\",\"昭和の日\"\r\n"), '\n', "昭和の日"},
      {data.Join("noneterm.csv"), "GetNoneTerm", sjis("\"#2011/04/01#\",\"#2011/04/30#\",\"燃やせるごみ\"\r\n"), '\n',
       ">燃やせるごみ</font>", true},
      {memo, "frmMain.Readmemo", sjis("資源回収のお知らせ"), ' ', "資源回収のお知らせ"},
      {doc, "",
       sjis("[Local]\r\nShow=1\r\nName=緑町\r\n[Special]\r\n0=1\r\n[Category]\r\n30=燃やせるごみ\r\n[Memo]\r\nOP="
            "1\r\nPath=" +
            memo + "\r\n;"),
       ';', "緑町"},
  };
  for (const Reader& reader : readers) {
    for (const std::uintmax_t size : {kReadLimit, kReadLimit + 1}) {
      for (const Reader& other : readers) {
        std::string content = other.content;
        if (&other == &reader) content.append(size - content.size(), reader.pad);
        std::ofstream(other.path, std::ios::binary) << content;
      }
      const CliRun run = Cli({"--data-folder", data.path(), doc});
      const std::string page = Page();
      const std::string what = reader.path + " of " + std::to_string(size);
      if (size == kReadLimit) {
        EXPECT_EQ(run.code, 0) << what;
        EXPECT_EQ(run.err, "") << what;
        EXPECT_EQ(page.find(reader.shown) == std::string::npos, reader.hides) << what;
        continue;
      }
      const std::string reason = "エラー番号: 7\n内容: ファイルが大きすぎます(16MBまで): " + reader.path + "\n";
      if (reader.tag.empty()) {
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, "dustora-cli: ファイルが大きすぎます(16MBまで): " + doc + "\n");
        continue;
      }
      EXPECT_EQ(run.code, 0) << what;
      EXPECT_EQ(run.err, "エラーが発生しました(" + reader.tag + ")\n" + reason) << what;
      EXPECT_EQ(page.find(reader.shown) == std::string::npos, !reader.hides) << what;
      EXPECT_NE(page.find("緑町"), std::string::npos) << what;  // the rest was read
    }
  }
}

// A document whose rules an older version changed after its months were
// written: said in one line, and the page is still written.
TEST_F(CliTest, RulesChangedByAnOlderVersionAreSaidAndThePageWritten) {
  const std::string doc = home.Write("a.dsc", sjis::Encode("[WeekName]\r\n0=月\r\n[Category]\r\n0=燃やせるごみ\r\n"
                                                           "[Months]\r\n0=5\r\n[Format]\r\nRules=0123456789abcdef\r\n")
                                                  .bytes);
  const CliRun run = Cli({"--data-folder", data.path(), "--year", "2011", "--month", "5", doc});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err,
            "このファイルの収集ルールは、月の指定や臨時の日に対応していない版で変更されています。"
            "月の指定と臨時の日を確認してください。\n");
  EXPECT_NE(Page().find("燃やせるごみ"), std::string::npos);
}

// Files a Linux editor saved as UTF-8 read as the text they hold; a
// character Shift_JIS cannot hold becomes "?", said once per file under the
// title of that reader's messages, and the document is saved as Shift_JIS.
TEST_F(CliTest, FilesSavedAsUtf8AreReadAsUtf8) {
  std::string ini = "\xEF\xBB\xBF" + DefaultSettingsText();
  ini.replace(ini.find("0=燃やせるごみ"), std::string("0=燃やせるごみ").size(), "0=燃やせる剝");
  data.Write("dustora.ini", ini);
  data.Write("holiday.csv", "\"#2011/04/29#\",\"昭和の日𠮷\"\r\n");
  data.Write("noneterm.csv", "\"#2011/04/01#\",\"#2011/04/02#\",\"燃やせるごみ\"\r\n");
  const std::string memo = home.Write("m.mmo", "資源回収😀\n");
  const std::string doc = home.Write("町内.dsc", "[Title]\nString=緑町\n;説明😀\n[Memo]\nOP=1\nPath=" + memo + "\n");

  Report report;
  Session session;
  ASSERT_NO_FATAL_FAILURE(ReadAsTheProgram(session, doc, report));
  const std::string said = "Shift_JISで保存できない文字を?に置き換えました: ";
  const std::vector<std::pair<std::string, std::string>> expected = {{said + "dustora.ini", "エラー情報"},
                                                                     {said + "holiday.csv", "ファイルチェック"},
                                                                     {said + "町内.dsc", "ファイルを開く"},
                                                                     {said + "m.mmo", "メモの編集"}};
  ASSERT_EQ(report.entries().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(report.entries()[i].Text(), expected[i].first);
    EXPECT_EQ(report.entries()[i].Title(), expected[i].second);
    EXPECT_EQ(report.entries()[i].kind, ReportKind::Information);
  }
  EXPECT_EQ(session.settings.category[0], "燃やせる?");
  ASSERT_EQ(session.holidays.size(), 1u);
  EXPECT_EQ(session.holidays[0].name, "昭和の日?");
  ASSERT_EQ(session.periods.size(), 1u);
  EXPECT_EQ(session.periods[0].category, "燃やせるごみ");
  EXPECT_EQ(session.document.title, "緑町");
  EXPECT_EQ(session.memo_text, "資源回収?\r\n");

  // Saved again, all of it is Shift_JIS, also the line the program does
  // not read.
  ASSERT_TRUE(WriteDscFile(session.document, session.settings, Date{2011, 4, 1}, report));
  const std::string saved = home.Read("町内.dsc");
  EXPECT_EQ(saved.find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_NE(saved.find(sjis::Encode("String=緑町\r\n;説明?\r\n").bytes), std::string::npos);

  // dustora-cli says the same. (The settings were saved as Shift_JIS when
  // start-up upgraded them.)
  EXPECT_EQ(data.Read("dustora.ini").find("\xEF\xBB\xBF"), std::string::npos);
  data.Write("dustora.ini", ini);
  home.Write("町内.dsc", "[Title]\nString=緑町\n;説明😀\n[Memo]\nOP=1\nPath=" + memo + "\n");
  const CliRun run = Cli({"--data-folder", data.path(), doc});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, said + "dustora.ini\n\n" + said + "holiday.csv\n\n" + said + "町内.dsc\n\n" + said + "m.mmo\n");
  EXPECT_NE(Page().find("<title>緑町</title>"), std::string::npos);
}

// Two sessions in one process, each loaded and rendered on a thread of its
// own at the same time: they share nothing, and each page is byte for byte
// the page of a run of its own.
TEST_F(CliTest, TwoSessionsOnTwoThreadsMakeTheSamePagesAsTwoRuns) {
  const auto sjis = [](std::string_view text) { return sjis::Encode(text).bytes; };
  TempFolder other;
  std::string ini = DefaultSettingsText();
  ini.replace(ini.find("String=ダストーラ"), std::string("String=ダストーラ").size(), "String=西町");
  ini.replace(ini.find("SP=0"), 4, "SP=1");
  other.Write("dustora.ini", sjis(ini));
  data.Write("holiday.csv", sjis("\"#2011/04/29#\",\"昭和の日\"\r\n"));
  other.Write("holiday.csv", sjis("\"#2011/04/10#\",\"町の日\"\r\n"));
  other.Write("noneterm.csv", sjis("\"#2011/04/01#\",\"#2011/04/15#\",\"[すべて]\"\r\n"));
  const auto document = [&](TempFolder& folder, const std::string& memo) {
    const std::string memo_path = folder.Write("m.mmo", sjis(memo));
    return folder.Write(
        "町内.dsc",
        sjis("[WeekName]\r\n0=月\r\n[Category]\r\n0=燃やせるごみ\r\n[Memo]\r\nOP=1\r\nPath=" + memo_path + "\r\n"));
  };
  const std::string doc_a = document(home, "東町のメモ\r\n");
  const std::string doc_b = document(other, "西町のメモ\r\n");
  ASSERT_EQ(Cli({"--data-folder", data.path(), "--year", "2011", "--month", "4", doc_a}).code, 0);
  ASSERT_EQ(Cli({"--data-folder", other.path(), "--year", "2011", "--month", "4", doc_b}).code, 0);
  const std::string run_a = data.Read("temp.html");
  const std::string run_b = other.Read("temp.html");
  ASSERT_NE(run_a, run_b);

  // Each thread loads its area and renders it a few times over.
  struct Area {
    std::string data_folder;
    std::string document;
    std::vector<std::string> pages;
    Report report;
  };
  Area a{data.path(), doc_a, {}, {}};
  Area b{other.path(), doc_b, {}, {}};
  const auto render = [](Area& area) {
    for (int round = 0; round < 5; ++round) {
      Session session;
      session.document.Clear(2011, 4);
      LoadForRendering(session, area.data_folder, area.report);
      session.document.document_path = area.document;
      if (!ReadDscFile(session.document, session.settings, session.memo_text, Date{2011, 4, 1}, area.report)) return;
      const OutputSources sources{session.settings, session.holidays, session.periods, session.memo_text};
      area.pages.push_back(PageBytes(*PageLines(2011, 4, session.document, sources)));
    }
  };
  std::thread first(render, std::ref(a));
  std::thread second(render, std::ref(b));
  first.join();
  second.join();
  ASSERT_EQ(a.pages.size(), 5u);
  ASSERT_EQ(b.pages.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_TRUE(a.pages[i] == run_a) << i;
    EXPECT_TRUE(b.pages[i] == run_b) << i;
  }
  for (const char* own : {"<title>西町</title>", "町の日", "西町のメモ"}) {
    EXPECT_NE(sjis::Decode(b.pages[0]).find(own), std::string::npos) << own;
    EXPECT_EQ(sjis::Decode(a.pages[0]).find(own), std::string::npos) << own;
  }
  EXPECT_NE(sjis::Decode(a.pages[0]).find("昭和の日"), std::string::npos);
  EXPECT_TRUE(a.report.empty());
  EXPECT_TRUE(b.report.empty());
}

TEST_F(CliTest, NoExceptionLeavesTheRun) {
  class ThrowingReads : public RealFileSystem {
   public:
    FsResult<std::string> ReadFile(std::string_view) override { throw std::bad_alloc(); }
  } throwing;
  data.Write("holiday.csv", "");
  SetFileSystem(&throwing);
  const CliRun run = Cli({"--data-folder", data.path()});
  SetFileSystem(nullptr);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "dustora-cli: メモリが不足しています。\n");
}

// NUL bytes in every file the page is made from: a profile value ends at
// its first NUL, the tables and the memo drop them, the page holds none.
TEST_F(CliTest, NoNulByteReachesThePage) {
  using namespace std::string_literals;
  std::string ini = DefaultSettingsText();
  const std::size_t font = ini.find("0=", ini.find("[FontName]"));
  ini.replace(font, ini.find("\r\n", font) - font, "0=Serif\0<b>"s);
  data.Write("dustora.ini", sjis::Encode(ini).bytes);
  data.Write("holiday.csv", sjis::Encode("\"#2011/04/29#\",\"昭和\0の日\"\r\n"s).bytes);
  data.Write("noneterm.csv", sjis::Encode("\"#2011/04/11#\",\"#2011/04/12#\",\"か\0ん\"\r\n"s).bytes);
  const std::string memo = home.Write("m.mmo", sjis::Encode("メモ:\r\n電\0話\r\n"s).bytes);
  const std::string doc = home.Write(
      "n.dsc", sjis::Encode("[Title]\r\nString=町内\0ごみ\r\n[WeekName]\r\n0=月\r\n[Category]\r\n0=かん\0びん\r\n"
                            "[Memo]\r\nOP=1\r\nPath="s +
                            memo + "\r\n")
                   .bytes);
  ASSERT_EQ(Cli({"--data-folder", data.path(), "--year", "2011", "--month", "4", doc}).code, 0);
  const std::string page = data.Read("temp.html");
  EXPECT_EQ(page.find('\0'), std::string::npos);
  const std::string text = sjis::Decode(page);
  for (const char* expected : {"電話", "町内</title>", ">かん</font>", "Serif"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(text.find("町内ごみ"), std::string::npos);  // the title ends at its NUL
  EXPECT_EQ(text.find("<b>"), std::string::npos);       // and so does the font name
  EXPECT_EQ(text.find("びん"), std::string::npos);
  EXPECT_NE(text.find("昭和の日"), std::string::npos);  // the holiday name without its NUL
  // The period (of "かん" without its NUL) takes the Monday 4/11 of four.
  std::size_t mondays = 0;
  for (std::size_t at = text.find(">かん</font>"); at != std::string::npos; at = text.find(">かん</font>", at + 1)) {
    ++mondays;
  }
  EXPECT_EQ(mondays, 3u);
}

// A design value cannot end the style element: the page gets the default.
TEST_F(CliTest, ADesignValueCannotPutMarkupOnThePage) {
  std::string ini = DefaultSettingsText();
  const std::size_t color = ini.find("0=#0000FF");
  ini.replace(color, 9, "0=red;}</style><script>alert(1)</script>");
  data.Write("dustora.ini", sjis::Encode(ini).bytes);
  const CliRun run = Cli({"--data-folder", data.path(), "--year", "2011", "--month", "4"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "エラーが発生しました(GetInitial)\nエラー番号: 13\n内容: 型が一致しません。\n[FontColor] 0\n");
  const std::string page = Page();
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("#0000FF"), std::string::npos);
}

TEST_F(CliTest, SameBytesAsTheCreateCommand) {
  data.Write("dustora.ini", sjis::Encode(DefaultSettingsText() + "[File]\r\nDate=0\r\n").bytes);
  data.Write("noneterm.csv", sjis::Encode("\"#2011/04/11#\",\"#2011/04/12#\",\"[すべて]\"\r\n").bytes);
  const std::string memo = home.Write("m.mmo", sjis::Encode("メモ:\r\n<電話>\r\n").bytes);
  const std::string doc = home.Write(
      "b.dsc",
      sjis::Encode("[WeekName]\r\n0=月\r\n[Category]\r\n0=かん\r\n[Image]\r\n0=kan.gif\r\n[Memo]\r\nOP=1\r\nPath=" +
                   memo + "\r\n")
          .bytes);
  ASSERT_EQ(Cli({"--data-folder", data.path(), doc}).code, 0);
  const std::string cli_page = data.Read("temp.html");
  EXPECT_NE(sjis::Decode(cli_page).find("&lt;電話&gt;"), std::string::npos);
  EXPECT_NE(sjis::Decode(cli_page).find("dscnone.gif"), std::string::npos);

  // The program's way: start-up reading, then open, then create.
  Report report;
  Session session;
  ASSERT_NO_FATAL_FAILURE(ReadAsTheProgram(session, doc, report));
  EXPECT_TRUE(cli_page == ProgramWrites(session, MonthPageOutput(), {{2011, 4, 1}, {}}));

  // One month asked for is the month page; twelve are the year command's page.
  ASSERT_EQ(Cli({"--data-folder", data.path(), "--months", "1", "--output", home.Join("one.html"), doc}).code, 0);
  EXPECT_TRUE(cli_page == home.Read("one.html"));
  const CliRun year =
      Cli({"--data-folder", data.path(), "--months", "12", "--output", home.Join("cli-year.html"), doc});
  ASSERT_EQ(year.code, 0);
  EXPECT_EQ(year.err, "");
  EXPECT_TRUE(home.Read("cli-year.html") == ProgramWrites(session, MonthsPageOutput(), {{2011, 4, 12}, {}}));
  EXPECT_NE(sjis::Decode(home.Read("cli-year.html")).find("2012年3月"), std::string::npos);
}

// The sample's month page and its calendar, byte for byte.
TEST_F(CliTest, TheSamplesPageAndCalendarAreTheirGoldenFiles) {
  std::filesystem::copy_file(std::string(DUSTORA_SHIPPED_DIR) + "/holiday.csv", data.Join("holiday.csv"));
  const std::string doc = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  const std::string golden = std::string(DUSTORA_SOURCE_DIR) + "/tests/app/golden/";
  ASSERT_EQ(
      Cli({"--data-folder", data.path(), "--year", "2026", "--month", "12", "--output", home.Join("a.html"), doc}).code,
      0);
  testing::ExpectGolden(home.Read("a.html"), golden + "sample-2026-12.html");
  ASSERT_EQ(
      Cli({"--data-folder", data.path(), "--year", "2026", "--month", "4", "--ics", home.Join("a.ics"), doc}).code, 0);
  testing::ExpectGolden(home.Read("a.ics"), golden + "sample-2026-04.ics");
  ASSERT_EQ(Cli({"--data-folder", data.path(), "--year", "2026", "--month", "4", "--sheet", "--output",
                 home.Join("sheet.html"), doc})
                .code,
            0);
  testing::ExpectGolden(home.Read("sheet.html"), golden + "sample-2026-sheet.html");
}

TEST_F(CliTest, MonthsPastTheLastYearAreAFailureWithoutAFile) {
  const CliRun run = Cli({"--data-folder", data.path(), "--year", "9999", "--month", "11", "--months", "3"});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "dustora-cli: the month cannot be laid out: 9999/11 and the 2 after it\n");
  EXPECT_FALSE(std::filesystem::exists(data.Join("temp.html")));
}

TEST_F(CliTest, ExportsTheProgramsCalendar) {
  data.Write("noneterm.csv", sjis::Encode("\"#2011/12/29#\",\"#2012/01/03#\",\"[すべて]\"\r\n").bytes);
  const std::string doc = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  Report report;
  Session session;
  ASSERT_NO_FATAL_FAILURE(ReadAsTheProgram(session, doc, report));

  struct Case {
    std::vector<std::string> flags;
    int months;
    Reminder reminder;
  };
  for (const Case& c : {Case{{}, 12, Reminder::EveningBefore},
                        Case{{"--months", "36", "--reminder", "morning"}, 36, Reminder::MorningOf},
                        Case{{"--months", "1", "--reminder", "none"}, 1, Reminder::None},
                        Case{{"--reminder", "eve"}, 12, Reminder::EveningBefore}}) {
    std::vector<std::string> args = {"--data-folder", data.path(), "--year", "2011",
                                     "--month",       "4",         "--ics",  home.Join("cli.ics")};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    args.push_back(doc);
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(home.Read("cli.ics") == ProgramWrites(session, ICalendarOutput(), {{2011, 4, c.months}, {c.reminder}}))
        << c.months;
  }
  // The export is the only thing written.
  EXPECT_FALSE(std::filesystem::exists(data.Join("temp.html")));
}

TEST_F(CliTest, AnExportWithoutDaysOrItsModuleIsExitOneWithoutAFile) {
  // The one category is in a no-collection period the whole month.
  data.Write("noneterm.csv", sjis::Encode("\"#2011/04/01#\",\"#2011/04/30#\",\"かん\"\r\n").bytes);
  const std::string doc = home.Write("a.dsc", sjis::Encode("[WeekName]\r\n0=月\r\n[Category]\r\n0=かん\r\n").bytes);
  const std::string ics = home.Join("a.ics");
  const CliRun empty =
      Cli({"--data-folder", data.path(), "--year", "2011", "--month", "4", "--months", "1", "--ics", ics, doc});
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(empty.err, "dustora-cli: there is no collection day to export in 1 months from 2011/4\n");

  const CliRun unwritable = Cli({"--data-folder", data.path(), "--ics", data.Join("no/such/a.ics"), doc});
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_EQ(unwritable.err.rfind("dustora-cli: the calendar cannot be written: " + data.Join("no/such/a.ics"), 0), 0u);
  EXPECT_EQ(std::count(unwritable.err.begin(), unwritable.err.end(), '\n'), 1);

  const CliRun late = Cli({"--data-folder", data.path(), "--year", "9999", "--month", "2", "--ics", ics, doc});
  EXPECT_EQ(late.code, 1);
  EXPECT_EQ(late.err, "dustora-cli: the months cannot be laid out: 9999/2 and the 11 after it\n");
  EXPECT_FALSE(std::filesystem::exists(ics));
}

// The program as built: libical is not linked, a page run or an export
// without days never loads the module, an export finds it where the
// installed program would.
TEST_F(CliTest, TheProgramLoadsLibicalOnlyToExport) {
  const std::string cli = DUSTORA_CLI;
  const std::string libraries = testing::CommandOutput("ldd '" + cli + "' 2>&1");
  EXPECT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
  EXPECT_EQ(libraries.find("libical"), std::string::npos) << libraries;

  const std::string doc = std::string(DUSTORA_SHIPPED_DIR) + "/sample.dsc";
  // glibc's loader names each library it initialises.
  const auto run = [&](const std::string& args) {
    return testing::CommandOutput("LD_DEBUG=libs '" + cli + "' --data-folder '" + data.path() + "' " + args + " '" +
                                  doc + "' 2>&1; echo \"exit $?\"");
  };
  const std::string page = run("--year 2011 --month 4 --months 12 --output '" + home.Join("a.html") + "'");
  EXPECT_TRUE(page.ends_with("exit 0\n")) << page;
  EXPECT_EQ(page.find("dustora-ical"), std::string::npos);
  data.Write("noneterm.csv", sjis::Encode("\"#2011/04/01#\",\"#2011/04/30#\",\"[すべて]\"\r\n").bytes);
  const std::string nothing = run("--year 2011 --month 4 --months 1 --ics '" + home.Join("none.ics") + "'");
  EXPECT_TRUE(nothing.ends_with("exit 1\n")) << nothing;
  EXPECT_EQ(nothing.find("dustora-ical"), std::string::npos);
  std::filesystem::remove(data.Join("noneterm.csv"));
  const std::string exported = run("--year 2011 --month 4 --ics '" + home.Join("a.ics") + "'");
  EXPECT_TRUE(exported.ends_with("exit 0\n")) << exported;
  EXPECT_NE(exported.find("calling init: "), std::string::npos);
  EXPECT_NE(exported.find("dustora-ical.so"), std::string::npos);
  const std::string text = home.Read("a.ics");
  EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  Session session;
  Report report;
  ASSERT_NO_FATAL_FAILURE(ReadAsTheProgram(session, doc, report));
  std::size_t events = 0;
  for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
  const OutputSources sources{session.settings, session.holidays, session.periods, session.memo_text};
  EXPECT_EQ(events, CollectionDays(*EvaluateMonths(session.document, {2011, 4, 12}, sources)).size());

  // A program without its module says so.
  const std::string alone = home.Join("dustora-cli");
  std::filesystem::copy_file(cli, alone);
  const std::string output = testing::CommandOutput("'" + alone + "' --data-folder '" + data.path() + "' --ics '" +
                                                    home.Join("b.ics") + "' '" + doc + "' 2>&1; echo \"exit $?\"");
  EXPECT_NE(output.find("dustora-cli: the calendar export cannot be loaded: dustora-ical.so is in neither"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("exit 1"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(home.Join("b.ics")));
}

TEST_F(CliTest, ImportsAnAreaOfOpenDataAsADocumentWithItsMemo) {
  TempFolder open;
  open.Write("area_days.csv", "地名,センター,燃やせるごみ\r\n 本町 ,,月 *1 X\r\n本郷,,火\r\n");
  open.Write("remarks.csv", "id,text\r\n1,年末年始は12月30日まで\r\n");
  const std::string doc = home.Join("本町.dsc");
  const CliRun run = Cli({"--data-folder", data.path(), "--import", open.path(), "--area", "本町 ", "--save", doc});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "本町: 燃やせるごみ: X: 読み取れない指定です\n");
  CalendarDocument read;
  read.document_path = doc;
  std::string memo;
  Report report;
  ASSERT_TRUE(ReadDscFile(read, AppSettings{}, memo, Date{2011, 4, 1}, report));
  EXPECT_EQ(std::tie(read.title, read.local_name, read.show_local_name, read.memo_output),
            std::make_tuple("ごみ収集カレンダー", "本町", 1, 1));
  EXPECT_EQ(read.memo_path, home.Join("本町.mmo"));
  EXPECT_EQ(memo, "年末年始は12月30日まで\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(data.path()));

  const CliRun unknown = Cli({"--import", open.path(), "--area", "本", "--save", home.Join("x.dsc")});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("areas like it: 本町, 本郷\n"), std::string::npos) << unknown.err;
  EXPECT_FALSE(std::filesystem::exists(home.Join("x.dsc")));
}

}  // namespace
}  // namespace dustora
