#include "app/cli.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <new>
#include <optional>
#include <ostream>
#include <thread>
#include <tuple>
#include <variant>
#include <vector>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/report.h"
#include "core/text.h"
#include "core/textfile.h"
#include "document/dsc_file.h"
#include "document/open_data.h"
#include "document/open_data_import.h"
#include "output/city_run.h"
#include "output/evaluation.h"
#include "output/output_run.h"
#include "output/outputs.h"
#include "output/sheet.h"
#include "session/lifecycle.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "tables/holiday.h"
#include "tables/memo.h"
#include "tables/noneterm.h"

namespace dustora {

namespace {

constexpr std::string_view kUsage =
    "usage: dustora-cli [--data-folder DIR] [--year Y --month M] [--months N] [--output FILE] [DOCUMENT.dsc]\n"
    "       dustora-cli [--data-folder DIR] [--year Y --month M] [--months N] --ics FILE [--reminder R]\n"
    "                   [DOCUMENT.dsc]\n"
    "       dustora-cli [--data-folder DIR] [--year Y --month M] --sheet [--output FILE] [DOCUMENT.dsc]\n"
    "       dustora-cli [--data-folder DIR] --import OPEN-DATA-DIR --area NAME --save FILE.dsc\n"
    "       dustora-cli [--data-folder DIR] --import OPEN-DATA-DIR --all-areas OUTDIR [--sheet]\n"
    "                   [--with-ics [--reminder R] [--months N]] [--year Y --month M]\n"
    "\n"
    "Writes the calendar page of one month, or of several on one page, as Shift_JIS HTML;\n"
    "with --ics, the collection days as an iCalendar file instead; with --sheet, twelve\n"
    "months on one A4 sheet with each category's rule in words.\n"
    "  --data-folder DIR  settings, holidays and no-collection periods (default: the user's data folder)\n"
    "  --year Y --month M the first month (default: the document's stored month, else this month;\n"
    "                     with --sheet, April of the fiscal year that holds this month)\n"
    "  --months N         N months from that month: one to a printed sheet (1 to 24, default 1),\n"
    "                     or with --ics the months exported (1 to 36, default 12)\n"
    "  --output FILE      the page (default: DIR/temp.html, with --sheet DIR/sheet.html)\n"
    "  --sheet            the one-sheet year calendar instead of the page\n"
    "  --ics FILE         the iCalendar file, one all-day event per category and collection day\n"
    "  --reminder R       with --ics: none, eve (18:00 the evening before, the default) or\n"
    "                     morning (6:00 on the day)\n"
    "  --import DIR       a city's open data (area_days.csv and the files beside it): with --area\n"
    "                     NAME (an area of area_days.csv) and --save FILE.dsc, writes that area's\n"
    "                     document, and its remarks as FILE.mmo beside it; with --all-areas OUTDIR,\n"
    "                     every area's document into OUTDIR with report.csv, and with --sheet\n"
    "                     its one-sheet calendar, with --with-ics its calendar file\n"
    "  --help             this text\n";

// What happened to a file, naming it once: a description that names the
// file stands alone.
std::string AboutFile(std::string_view path, std::string_view description) {
  if (description.find(path) != std::string_view::npos) return std::string(description);
  return std::string(path) + ": " + std::string(description);
}

// A report as the lines of its boxes, a blank line between two boxes, as
// the windows would show them one after the other.
void PrintReport(std::ostream& err, const Report& report) {
  bool first = true;
  for (const ReportEntry& entry : report.entries()) {
    if (!first) err << "\n";
    first = false;
    ForEachLine(entry.Text(), [&err](std::size_t, std::string_view line) { err << line << "\n"; });
  }
}

// Why the document could not be read, in one line: what the box said of
// the file (naming it once), or its number and text.
std::string WhyUnread(const ReportEntry& entry, const std::string& document) {
  if (!entry.error) return entry.message;  // not a document
  if (entry.error->description.find(document) != std::string::npos) return entry.error->description;
  return "the document cannot be read: " + document + ": エラー番号: " + std::to_string(entry.error->number) +
         " 内容: " + entry.error->description;
}

struct Options {
  std::string data_folder;
  std::string file_option;  // the option that named the file ("--output", "--ics"); empty: none did
  std::string flag;         // the flag that chose an output ("--sheet"); empty: none did
  std::string file;
  std::string document;
  std::optional<int> year;
  std::optional<int> month;
  std::optional<int> months;
  std::optional<Reminder> reminder;
  std::string import_folder;  // --import: the open data
  std::optional<std::string> area;
  std::string save;
  std::string all_areas;  // --all-areas: the folder of every area's files
  bool with_ics = false;
  bool help = false;
};

// The option of the month page, which is written when no option names a file.
constexpr std::string_view kDefaultFileOption = "--output";

// The outputs whose file `option` names and that `flag` chooses, fewest
// months first.
std::vector<const Output*> OutputsOfOption(std::string_view option, std::string_view flag = {}) {
  std::vector<const Output*> outputs;
  for (const Output* output : AllOutputs()) {
    if (output->Traits().cli_option == option && output->Traits().cli_flag == flag) outputs.push_back(output);
  }
  std::stable_sort(outputs.begin(), outputs.end(),
                   [](const Output* a, const Output* b) { return a->Traits().most_months < b->Traits().most_months; });
  return outputs;
}

// The output the options ask for: of those their option names, the first
// that takes the months.
const Output& ChosenOutput(const Options& options) {
  const std::vector<const Output*> outputs = OutputsOfOption(options.file_option, options.flag);
  const int months = options.months.value_or(outputs.front()->Traits().default_months);
  for (const Output* output : outputs) {
    if (output->Traits().most_months >= months) return *output;
  }
  return *outputs.back();
}

// The options, or the one line that says what is wrong.
std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  const auto whole = [](const std::string& text, int low, int high) -> std::optional<int> {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    const int value = std::stoi(text);
    if (value < low || value > high) return std::nullopt;
    return value;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool names_file = !OutputsOfOption(arg).empty();
    const bool takes_value = names_file || arg == "--data-folder" || arg == "--year" || arg == "--month" ||
                             arg == "--months" || arg == "--reminder" || arg == "--import" || arg == "--area" ||
                             arg == "--save" || arg == "--all-areas";
    const auto flagged = std::find_if(AllOutputs().begin(), AllOutputs().end(),
                                      [&arg](const Output* output) { return output->Traits().cli_flag == arg; });
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--with-ics") {
      options.with_ics = true;
    } else if (flagged != AllOutputs().end()) {
      options.flag = arg;
    } else if (takes_value) {
      if (i + 1 >= args.size()) return "dustora-cli: " + arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--data-folder") {
        options.data_folder = value;
      } else if (arg == "--import" || arg == "--save" || arg == "--all-areas") {
        if (value.empty()) return "dustora-cli: " + arg + " needs a " + (arg == "--save" ? "file" : "folder") + " name";
        (arg == "--import" ? options.import_folder : arg == "--save" ? options.save : options.all_areas) = value;
      } else if (arg == "--area") {
        options.area = value;
      } else if (names_file) {
        if (value.empty()) return "dustora-cli: " + arg + " needs a file name";
        if (!options.file_option.empty() && options.file_option != arg) {
          // The page's option, which is the default, is named last.
          const bool page_first = options.file_option == kDefaultFileOption;
          return "dustora-cli: " + (page_first ? arg : options.file_option) + " and " +
                 (page_first ? options.file_option : arg) + " cannot go together";
        }
        options.file_option = arg;
        options.file = value;
      } else if (arg == "--reminder") {
        if (value == "none") {
          options.reminder = Reminder::None;
        } else if (value == "eve") {
          options.reminder = Reminder::EveningBefore;
        } else if (value == "morning") {
          options.reminder = Reminder::MorningOf;
        } else {
          return "dustora-cli: the reminder must be none, eve or morning: " + value;
        }
      } else if (arg == "--months") {
        // Checked against the output's bound once all is read.
        options.months = whole(value, 1, 9999);
        if (!options.months) return "dustora-cli: the months must be a number: " + value;
      } else if (arg == "--year") {
        options.year = whole(value, 1, 9999);
        if (!options.year) return "dustora-cli: the year must be a number from 1 to 9999: " + value;
      } else {
        options.month = whole(value, 1, 12);
        if (!options.month) return "dustora-cli: the month must be a number from 1 to 12: " + value;
      }
    } else if (arg.starts_with("-") && arg != "-") {
      return "dustora-cli: unknown option " + arg;
    } else if (options.document.empty()) {
      options.document = arg;
    } else {
      return "dustora-cli: only one document can be printed: " + arg;
    }
  }
  if (!options.all_areas.empty() || options.with_ics) {
    const bool fits = !options.import_folder.empty() && !options.all_areas.empty() && !options.area &&
                      options.save.empty() && options.file_option.empty() && options.document.empty() &&
                      (options.with_ics || (!options.reminder && !options.months)) &&
                      options.year.has_value() == options.month.has_value();
    if (!fits) {
      return std::string(
          "dustora-cli: --all-areas goes with --import, and --sheet, --with-ics (with --reminder and --months), "
          "--year and --month");
    }
    const int most = ICalendarOutput().Traits().most_months;
    if (options.months && *options.months > most) {
      return "dustora-cli: the months must be a number from 1 to " + std::to_string(most) + ": " +
             std::to_string(*options.months);
    }
    return options;
  }
  const bool importing = !options.import_folder.empty() || options.area || !options.save.empty();
  if (importing) {
    const bool alone = options.file_option.empty() && options.flag.empty() && !options.year && !options.months &&
                       !options.reminder && options.document.empty();
    if (options.import_folder.empty() || !options.area || options.save.empty() || !alone) {
      return std::string("dustora-cli: --import, --area and --save go together, with --data-folder only");
    }
    return options;
  }
  if (options.year.has_value() != options.month.has_value()) {
    return std::string("dustora-cli: --year and --month go together");
  }
  if (options.file_option.empty()) options.file_option = kDefaultFileOption;
  const std::vector<const Output*> outputs = OutputsOfOption(options.file_option, options.flag);
  if (outputs.empty()) return "dustora-cli: " + options.flag + " and " + options.file_option + " cannot go together";
  if (!options.flag.empty() && options.months) return "dustora-cli: --months does not go with " + options.flag;
  if (options.reminder && !outputs.front()->Traits().takes_reminder) {
    std::string takers;
    for (const Output* output : AllOutputs()) {
      const std::string_view option = output->Traits().cli_option;
      if (output->Traits().takes_reminder && takers.find(option) == std::string::npos) {
        takers += (takers.empty() ? "" : " or ") + std::string(option);
      }
    }
    return "dustora-cli: --reminder goes with " + takers;
  }
  const int most = outputs.back()->Traits().most_months;
  if (options.months && *options.months > most) {
    return "dustora-cli: the months must be a number from 1 to " + std::to_string(most) + ": " +
           std::to_string(*options.months);
  }
  return options;
}

// All that dustora-cli writes into the data folder: its outputs under their
// own names.
bool IsOutputName(std::string_view name) {
  const std::vector<const Output*>& outputs = AllOutputs();
  return std::any_of(outputs.begin(), outputs.end(),
                     [name](const Output* output) { return output->Traits().preview_file_name == name; });
}

// What writing `output` would destroy, links followed and files compared by
// device and inode: "the document", "a file of the data folder" (or of
// its subfolders) other than an output's own, or nothing.
std::string InputUnder(const std::string& output, const std::string& document, const std::string& data_folder) {
  FileSystem& fs = Fs();
  const std::string target = fs.ResolveLinks(output);
  if (fs.SameFile(target, document)) return "the document";
  const std::filesystem::path parent = ToPath(target).parent_path();
  const std::string target_folder = parent.empty() ? std::string(".") : FromPath(parent);
  std::vector<std::string> folders = {data_folder};
  for (const std::string& sub : fs.ListFolders(data_folder)) folders.push_back(JoinPath(data_folder, sub));
  for (const std::string& folder : folders) {
    const bool top = folder == data_folder;
    if (fs.SameFile(target_folder, folder) && !(top && IsOutputName(FileNameOf(target))))
      return "a file of the data folder";
    for (const std::string& name : fs.ListFiles(folder)) {
      if (!(top && IsOutputName(name)) && fs.SameFile(target, JoinPath(folder, name)))
        return "a file of the data folder";
    }
  }
  return {};
}

// Writes the output the options chose; the exit code.
int WriteChosenOutput(const Session& session, const Options& options, const std::string& path, MonthSpan months,
                      const CliHost& host, std::ostream& err) {
  const Output& output = ChosenOutput(options);
  const OutputTraits& traits = output.Traits();
  const OutputSources sources{session.settings, session.holidays, session.periods, session.memo_text};
  months.count = options.months.value_or(traits.default_months);
  OutputRequest request;
  request.months = months;
  request.options.reminder = options.reminder.value_or(Reminder::EveningBefore);
  request.options.now_utc = host.now_utc;
  Report unused;  // a failure is said in the run's own words
  OutputResult result = MakeOutput(output, session.document, sources, request, unused);
  if (result.ok() && result.made.items == 0) {
    err << "dustora-cli: there is no collection day to export in " << months.count << " months from " << months.year
        << "/" << months.month << "\n";
    return 1;
  }
  if (result.ok()) std::ignore = SaveOutput(output, result, path, unused);
  switch (result.failure) {
    case OutputFailure::None: return 0;
    case OutputFailure::MonthsNotLaidOut:
      err << "dustora-cli: the " << traits.cli_months_word << " cannot be laid out: " << months.year << "/"
          << months.month;
      if (months.count > 1) err << " and the " << months.count - 1 << " after it";
      err << "\n";
      return 1;
    case OutputFailure::WriterMissing:
      err << "dustora-cli: the " << traits.cli_file_word << " export cannot be loaded: " << result.why << "\n";
      return 1;
    case OutputFailure::FileNotWritten:
      err << "dustora-cli: the " << traits.cli_file_word << " cannot be written: " << AboutFile(path, result.why)
          << "\n";
      return 1;
  }
  return 1;
}

// Text of the open data as a line of the terminal: no control character
// of it reaches the terminal.
std::string Printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return shown;
}

// Up to five names of areas like `wanted`: those that hold it, else those
// that share the most characters with it.
std::vector<std::string> AreasLike(const OpenData& data, std::string_view wanted) {
  constexpr std::size_t kMostNamed = 5;
  std::vector<std::string> like;
  for (const OpenDataArea& area : data.areas) {
    if (like.size() < kMostNamed && !wanted.empty() && area.name.find(wanted) != std::string::npos)
      like.push_back(area.name);
  }
  if (!like.empty()) return like;
  const std::vector<std::string_view> characters = Utf8Characters(wanted);
  std::vector<std::pair<std::size_t, const std::string*>> shared;
  for (const OpenDataArea& area : data.areas) {
    std::vector<std::string_view> theirs = Utf8Characters(area.name);
    std::size_t count = 0;
    for (const std::string_view character : characters) {
      const auto found = std::find(theirs.begin(), theirs.end(), character);
      if (found == theirs.end()) continue;
      theirs.erase(found);
      ++count;
    }
    if (count > 0) shared.emplace_back(count, &area.name);
  }
  std::stable_sort(shared.begin(), shared.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < shared.size() && i < kMostNamed; ++i) like.push_back(*shared[i].second);
  return like;
}

// The settings, holidays and periods of the data folder, in memory, and the
// open data; nothing when the data cannot be read, which is said.
std::optional<OpenData> ReadForImport(Session& session, const Options& options, const std::string& data_folder,
                                      std::ostream& err) {
  Report loaded;
  LoadForRendering(session, data_folder, loaded);
  std::variant<OpenData, std::string> read = ReadOpenData(options.import_folder);
  if (const auto* why = std::get_if<std::string>(&read)) {
    err << "dustora-cli: " << *why << "\n";
    return std::nullopt;
  }
  return std::move(std::get<OpenData>(read));
}

// --import: one area of a city's open data as a document.
int ImportOneArea(Session& session, const Options& options, const std::string& data_folder, const CliHost& host,
                  std::ostream& err) {
  if (const std::string input = InputUnder(options.save, "", data_folder); !input.empty()) {
    err << "dustora-cli: the document would write over " << input << ": " << options.save << "\n";
    return 2;
  }
  const std::optional<OpenData> read = ReadForImport(session, options, data_folder, err);
  if (!read) return 1;
  const OpenData& data = *read;
  const std::string_view wanted = TrimDataBlanks(*options.area);
  const auto area = std::find_if(data.areas.begin(), data.areas.end(),
                                 [wanted](const OpenDataArea& a) { return TrimDataBlanks(a.name) == wanted; });
  if (area == data.areas.end()) {
    err << "dustora-cli: no area of " << JoinPath(options.import_folder, kAreaDaysFile) << " is named "
        << Printable(wanted);
    const std::vector<std::string> like = AreasLike(data, wanted);
    for (std::size_t i = 0; i < like.size(); ++i) err << (i == 0 ? "; areas like it: " : ", ") << Printable(like[i]);
    err << "\n";
    return 2;
  }
  ImportedArea imported = ImportArea(data, *area, host.today);
  for (const ImportLine& line : imported.lines) {
    if (line.mapped) continue;
    err << Printable(area->name) << ": " << (line.category.empty() ? "" : Printable(line.category) + ": ")
        << Printable(line.cell) << ": " << Printable(line.result) << "\n";
  }
  Report written;
  if (!SaveImportedArea(imported, options.save, session.settings, host.today, written)) {
    const std::string why = written.empty() || !written.entries().back().error
                                ? options.save
                                : AboutFile(options.save, written.entries().back().error->description);
    err << "dustora-cli: the document cannot be written: " << why << "\n";
    return 1;
  }
  return 0;
}

// --import with --all-areas: every area's files into one folder, in
// parallel; a progress line on a terminal, one summary line at the end.
int ImportAllAreas(Session& session, const Options& options, const std::string& data_folder, const CliHost& host,
                   std::ostream& out, std::ostream& err) {
  const std::string report = JoinPath(options.all_areas, kCityReportFileName);
  if (const std::string input = InputUnder(report, "", data_folder); !input.empty()) {
    err << "dustora-cli: the areas' files would write over " << input << ": " << options.all_areas << "\n";
    return 2;
  }
  const std::optional<OpenData> read = ReadForImport(session, options, data_folder, err);
  if (!read) return 1;
  const OpenData& data = *read;
  const MonthSpan start =
      options.year ? MonthSpan{*options.year, *options.month, 1} : FiscalYearOf(host.today.year, host.today.month);
  CityRunRequest request;
  request.out_folder = options.all_areas;
  request.sheets = options.flag == SheetOutput().Traits().cli_flag;
  request.calendars = options.with_ics;
  request.sheet_months = {start.year, start.month, kSheetMonths};
  request.calendar_months = {start.year, start.month,
                             options.months.value_or(ICalendarOutput().Traits().default_months)};
  request.options.reminder = options.reminder.value_or(Reminder::EveningBefore);
  request.options.now_utc = host.now_utc;
  request.today = host.today;
  const OutputSources sources{session.settings, session.holidays, session.periods, session.memo_text};
  CityRunProgress progress;
  std::atomic<bool> finished{false};
  std::thread shown;
  const int total = static_cast<int>(data.areas.size());
  if (host.terminal) {
    shown = std::thread([&] {
      while (!finished.load()) {
        err << "\r" << progress.done.load() << "/" << total << std::flush;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
      err << "\r" << progress.done.load() << "/" << total << "\n";
    });
  }
  const CityRunSummary summary = RunCity(data, request, sources, progress);
  finished = true;
  if (shown.joinable()) shown.join();
  out << summary.Line() << "\n";
  return summary.failed > 0 || !summary.report_written ? 1 : 0;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliHost& host) {
  const auto parsed = ParseOptions(args);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    err << *problem << "\n";
    return 2;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.help) {
    out << kUsage;
    return 0;
  }

  FileSystem& fs = Fs();
  if (!options.document.empty() && !fs.FileExists(options.document)) {
    err << "dustora-cli: " << NoFileError(options.document).description << "\n";
    return 2;
  }
  Session session;
  std::string data_folder = options.data_folder;
  if (data_folder.empty()) {
    // Without a home the data folder would land at the root of the file
    // system.
    const DesktopPlaces places{DesktopFolderPath(SpecialFolder::Documents, host.environment),
                               DesktopFolderPath(SpecialFolder::ApplicationData, host.environment),
                               {}};
    if (places.application_data.empty()) {
      err << "dustora-cli: no data folder can be found (neither HOME nor XDG_DATA_HOME is set); name one with "
             "--data-folder\n";
      return 1;
    }
    GetSpecialFolder(session.folders, places);
    data_folder = session.folders.data_folder;
  }

  if (!options.all_areas.empty()) return ImportAllAreas(session, options, data_folder, host, out, err);
  if (!options.import_folder.empty()) return ImportOneArea(session, options, data_folder, host, err);

  // An output never writes over what the run reads.
  const std::string& chosen = options.file;
  if (const std::string input = chosen.empty() ? std::string() : InputUnder(chosen, options.document, data_folder);
      !input.empty()) {
    err << "dustora-cli: the output would write over " << input << ": " << chosen << "\n";
    return 2;
  }

  CalendarDocument& document = session.document;
  const Date today = host.today;
  document.Clear(today.year, today.month);
  // What the loading said is printed once the run has written its file;
  // a failure prints its one line instead.
  Report loaded;
  LoadForRendering(session, data_folder, loaded);
  if (!options.document.empty()) {
    document.document_path = options.document;
    Report read;
    if (!ReadDscFile(document, session.settings, session.memo_text, today, read)) {
      err << "dustora-cli: " << (read.empty() ? options.document : WhyUnread(read.entries().back(), options.document))
          << "\n";
      return 1;
    }
    loaded.Append(read);
  }

  // Nor over the memo the document printed with it.
  if (!chosen.empty() && fs.SameFile(fs.ResolveLinks(chosen), document.memo_path)) {
    err << "dustora-cli: the output would write over the document's memo: " << chosen << "\n";
    return 2;
  }

  if (LacksEveryOtherBase(document, session.settings.every_other_base)) err << kNoEveryOtherBaseNotice << "\n";

  const Output& output = ChosenOutput(options);
  int year = today.year;
  int month = today.month;
  if (options.year) {
    year = *options.year;
    month = *options.month;
  } else if (output.Traits().fiscal_year) {
    const MonthSpan fiscal = FiscalYearOf(today.year, today.month);
    year = fiscal.year;
    month = fiscal.month;
  } else if (document.year && document.month) {
    year = *document.year;
    month = *document.month;
  }

  // Without a file named, the output's own in the data folder.
  const std::string path =
      options.file.empty() ? JoinPath(data_folder, output.Traits().preview_file_name) : options.file;
  const int code = WriteChosenOutput(session, options, path, {year, month, 1}, host, err);
  if (code == 0) PrintReport(err, loaded);
  return code;
}

}  // namespace

int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const CliHost& host) {
  // Whatever goes wrong ends the run with a line and exit status 1, never
  // with an abort.
  try {
    return Run(args, out, err, host);
  } catch (const std::bad_alloc&) {
    err << "dustora-cli: " << ErrorDescription(kErrOutOfMemory) << "\n";
  } catch (const std::exception& e) {
    err << "dustora-cli: 想定外の事象が発生しました。: " << e.what() << "\n";
  } catch (...) {
    err << "dustora-cli: 想定外の事象が発生しました。\n";
  }
  return 1;
}

}  // namespace dustora
