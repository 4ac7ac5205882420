// The layers of the program as its includes draw them: every quoted
// #include of src/ and app/ must name a layer that the including file's
// layer may use, so that a cycle cannot come back unnoticed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace dustora {
namespace {

namespace fs = std::filesystem;

// Each layer with the layers it may include (itself always).
const std::map<std::string, std::set<std::string>>& AllowedLayers() {
  static const std::map<std::string, std::set<std::string>> allowed = {
      {"core", {}},
      {"tables", {"core"}},
      {"settings", {"core"}},
      {"document", {"core", "tables", "settings"}},
      {"session", {"core", "tables", "settings", "document"}},
      {"output", {"core", "tables", "settings", "document", "session"}},
      {"ui", {"core", "tables", "settings", "document", "session", "output"}},
      {"app", {"core", "tables", "settings", "document", "session", "output", "ui"}},
  };
  return allowed;
}

// "src/tables/holiday.cpp" is in tables, "app/cli.cpp" in app.
std::string LayerOf(const fs::path& relative) {
  auto part = relative.begin();
  if (*part == "app") return "app";
  ++part;
  return part == relative.end() ? std::string() : part->string();
}

struct Include {
  std::string file;
  int line = 0;
  std::string target;
};

// The file a quoted #include line names, or nothing for any other line.
std::optional<std::string> QuotedInclude(std::string_view line) {
  const auto skip_blanks = [&line] {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  };
  skip_blanks();
  if (!line.starts_with('#')) return std::nullopt;
  line.remove_prefix(1);
  skip_blanks();
  if (!line.starts_with("include")) return std::nullopt;
  line.remove_prefix(std::string_view("include").size());
  skip_blanks();
  if (!line.starts_with('"')) return std::nullopt;
  line.remove_prefix(1);
  const std::size_t end = line.find('"');
  if (end == std::string_view::npos || end == 0) return std::nullopt;
  return std::string(line.substr(0, end));
}

std::vector<Include> QuotedIncludes(const fs::path& root) {
  std::vector<Include> includes;
  for (const char* top : {"src", "app"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      std::ifstream in(entry.path());
      std::string text;
      int number = 0;
      while (std::getline(in, text)) {
        ++number;
        if (const auto target = QuotedInclude(text)) {
          includes.push_back({fs::relative(entry.path(), root).generic_string(), number, *target});
        }
      }
    }
  }
  return includes;
}

TEST(LayersTest, EveryIncludeFollowsTheLayerTable) {
  const fs::path root = DUSTORA_SOURCE_DIR;
  const std::vector<Include> includes = QuotedIncludes(root);
  ASSERT_GT(includes.size(), 100u);  // the sources were found
  std::set<std::string> seen;
  for (const Include& include : includes) {
    const std::string from = LayerOf(include.file);
    const std::string to = include.target.substr(0, include.target.find('/'));
    const auto allowed = AllowedLayers().find(from);
    ASSERT_NE(allowed, AllowedLayers().end()) << include.file << " stands in no layer";
    const bool known = AllowedLayers().contains(to) && include.target.find('/') != std::string::npos;
    EXPECT_TRUE(known) << include.file << ":" << include.line << " includes \"" << include.target
                       << "\", which names no layer";
    EXPECT_TRUE(to == from || allowed->second.contains(to))
        << include.file << ":" << include.line << " (" << from << ") may not include \"" << include.target << "\"";
    seen.insert(from);
  }
  EXPECT_EQ(seen.size(), AllowedLayers().size());  // every layer has files
}

// Below the windows nothing shows a box, asks, pumps events or reaches the
// global platform: routines there return a report, and the windows show it.
TEST(LayersTest, NothingBelowTheWindowsTalksToTheDesktop) {
  constexpr std::string_view kDesktop[] = {"CurrentPlatform(", "ShowErrorBox", "ShowErrorText",
                                           "ShowUnexpected",   "ShowMessage(", "ShowInformation(",
                                           "PumpEvents(",      "CloseSplash(", "SetPlatform("};
  const fs::path src = fs::path(DUSTORA_SOURCE_DIR) / "src";
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file() || fs::relative(entry.path(), src).begin()->string() == "ui") continue;
    ++files;
    std::ifstream in(entry.path());
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
      for (const std::string_view name : kDesktop) {
        EXPECT_EQ(text.find(name), std::string::npos) << fs::relative(entry.path(), src).string() << ":" << number;
      }
    }
  }
  EXPECT_GT(files, 40);  // the sources were found
}

// The table itself has no cycle: no layer may reach back to one that may
// use it.
TEST(LayersTest, TheTableIsAnOrder) {
  for (const auto& [layer, uses] : AllowedLayers()) {
    for (const std::string& used : uses) {
      EXPECT_FALSE(AllowedLayers().at(used).contains(layer)) << layer << " and " << used << " use each other";
    }
  }
}

}  // namespace
}  // namespace dustora
