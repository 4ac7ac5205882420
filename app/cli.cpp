#include "app/cli.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <new>
#include <optional>
#include <ostream>
#include <variant>
#include <vector>

#include "core/encoding.h"
#include "core/filesystem.h"
#include "core/report.h"
#include "core/textfile.h"
#include "document/dsc_file.h"
#include "output/page.h"
#include "output/rules.h"
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
    "\n"
    "Writes the calendar page of one month, or of several on one page, as Shift_JIS HTML;\n"
    "with --ics, the collection days as an iCalendar file instead.\n"
    "  --data-folder DIR  settings, holidays and no-collection periods (default: the user's data folder)\n"
    "  --year Y --month M the first month (default: the document's stored month, else this month)\n"
    "  --months N         N months from that month: one to a printed sheet (1 to 24, default 1),\n"
    "                     or with --ics the months exported (1 to 36, default 12)\n"
    "  --output FILE      the page (default: DIR/temp.html)\n"
    "  --ics FILE         the iCalendar file, one all-day event per category and collection day\n"
    "  --reminder R       with --ics: none, eve (18:00 the evening before, the default) or\n"
    "                     morning (6:00 on the day)\n"
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
  std::string output;
  std::string ics;
  std::string document;
  std::optional<int> year;
  std::optional<int> month;
  std::optional<int> months;
  std::optional<Reminder> reminder;
  bool help = false;
};

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
    const bool takes_value = arg == "--data-folder" || arg == "--year" || arg == "--month" || arg == "--output" ||
                             arg == "--months" || arg == "--ics" || arg == "--reminder";
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (takes_value) {
      if (i + 1 >= args.size()) return "dustora-cli: " + arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--data-folder") {
        options.data_folder = value;
      } else if (arg == "--output") {
        if (value.empty()) return std::string("dustora-cli: --output needs a file name");
        options.output = value;
      } else if (arg == "--ics") {
        if (value.empty()) return std::string("dustora-cli: --ics needs a file name");
        options.ics = value;
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
        // Checked against the page's or the export's bound once all is read.
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
  if (options.year.has_value() != options.month.has_value()) {
    return std::string("dustora-cli: --year and --month go together");
  }
  const bool exports = !options.ics.empty();
  if (exports && !options.output.empty()) return std::string("dustora-cli: --ics and --output cannot go together");
  if (!exports && options.reminder) return std::string("dustora-cli: --reminder goes with --ics");
  const int most = exports ? kMaxICalMonths : kMaxPageMonths;
  if (options.months && *options.months > most) {
    return "dustora-cli: the months must be a number from 1 to " + std::to_string(most) + ": " +
           std::to_string(*options.months);
  }
  return options;
}

// All that dustora-cli writes into the data folder: its outputs under their
// own names.
constexpr std::array<std::string_view, 2> kOutputNames = {kPageFileName, kYearPageFileName};

// What writing `output` would destroy, links followed and files compared by
// device and inode: "the document", "a file of the data folder" (or of
// its subfolders) other than an output's own, or nothing.
std::string InputUnder(const std::string& output, const std::string& document, const std::string& data_folder) {
  FileSystem& fs = Fs();
  const std::string target = fs.ResolveLinks(output);
  if (fs.SameFile(target, document)) return "the document";
  const std::filesystem::path parent = ToPath(target).parent_path();
  const std::string target_folder = parent.empty() ? std::string(".") : FromPath(parent);
  const auto own = [](std::string_view name) {
    return std::find(kOutputNames.begin(), kOutputNames.end(), name) != kOutputNames.end();
  };
  std::vector<std::string> folders = {data_folder};
  for (const std::string& sub : fs.ListFolders(data_folder)) folders.push_back(JoinPath(data_folder, sub));
  for (const std::string& folder : folders) {
    const bool top = folder == data_folder;
    if (fs.SameFile(target_folder, folder) && !(top && own(FileNameOf(target)))) return "a file of the data folder";
    for (const std::string& name : fs.ListFiles(folder)) {
      if (!(top && own(name)) && fs.SameFile(target, JoinPath(folder, name))) return "a file of the data folder";
    }
  }
  return {};
}

// Writes the calendar of the chosen months; the exit code.
int Export(const Session& session, const Options& options, int year, int month, const CliHost& host,
           std::ostream& err) {
  const int months = options.months.value_or(kDefaultICalMonths);
  Report unused;  // a month that cannot be laid out is said in the run's own words
  const std::optional<std::vector<CollectionDay>> days = SessionCollectionDays(session, year, month, months, unused);
  if (!days) {
    err << "dustora-cli: the months cannot be laid out: " << year << "/" << month << " and the " << months - 1
        << " after it\n";
    return 1;
  }
  if (days->empty()) {
    err << "dustora-cli: there is no collection day to export in " << months << " months from " << year << "/" << month
        << "\n";
    return 1;
  }
  const auto serializer = host.ical ? host.ical() : std::variant<ICalSerializer, std::string>("no serialiser");
  if (const auto* problem = std::get_if<std::string>(&serializer)) {
    err << "dustora-cli: the calendar export cannot be loaded: " << *problem << "\n";
    return 1;
  }
  const ICalSerializer& serialize = std::get<ICalSerializer>(serializer);
  const std::string text =
      serialize(CalendarOf(*days, session.document, options.reminder.value_or(Reminder::EveningBefore), host.now_utc));
  if (const FsStatus failed = Fs().ReplaceFile(options.ics, text)) {
    err << "dustora-cli: the calendar cannot be written: " << AboutFile(options.ics, failed->description) << "\n";
    return 1;
  }
  return 0;
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
                               DesktopFolderPath(SpecialFolder::ApplicationData, host.environment), {}};
    if (places.application_data.empty()) {
      err << "dustora-cli: no data folder can be found (neither HOME nor XDG_DATA_HOME is set); name one with "
             "--data-folder\n";
      return 1;
    }
    GetSpecialFolder(session.folders, places);
    data_folder = session.folders.data_folder;
  }

  // An output never writes over what the run reads.
  const std::string& chosen = options.ics.empty() ? options.output : options.ics;
  if (const std::string input = chosen.empty() ? std::string() : InputUnder(chosen, options.document, data_folder);
      !input.empty()) {
    err << "dustora-cli: the output would write over " << input << ": " << chosen << "\n";
    return 2;
  }

  CalendarDocument& document = session.document;
  const Date today = host.today;
  document.Clear(std::to_string(today.year), std::to_string(today.month));
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

  int year = today.year;
  int month = today.month;
  if (options.year) {
    year = *options.year;
    month = *options.month;
  } else if (const auto y = NumericToWhole(document.year), m = NumericToWhole(document.month); y && m) {
    year = static_cast<int>(*y);
    month = static_cast<int>(*m);
  }

  if (!options.ics.empty()) {
    const int code = Export(session, options, year, month, host, err);
    if (code == 0) PrintReport(err, loaded);
    return code;
  }

  const std::string output = options.output.empty() ? JoinPath(data_folder, kPageFileName) : options.output;
  const PageSources sources{session.settings, session.holidays, session.periods, session.memo_text};
  const int months = options.months.value_or(1);
  const auto lines = MonthsPageLines(year, month, months, document, sources);
  if (!lines) {
    err << "dustora-cli: the month cannot be laid out: " << year << "/" << month;
    if (months > 1) err << " and the " << months - 1 << " after it";
    err << "\n";
    return 1;
  }
  if (const FsStatus failed = fs.ReplaceFile(output, PageBytes(*lines))) {
    err << "dustora-cli: the page cannot be written: " << AboutFile(output, failed->description) << "\n";
    return 1;
  }
  PrintReport(err, loaded);
  return 0;
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
