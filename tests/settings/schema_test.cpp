#include "settings/schema.h"

#include <gtest/gtest.h>

#include <set>

#include "core/encoding.h"

namespace dustora {
namespace {

// The values the grid and memo sizes take where nothing else is known,
// pinned here once; every other test reads them from the table.
TEST(SettingsSchemaTest, HoldsTheSizesOfANewFileTheUpgradeAndTheEditor) {
  const SettingEntry& tw = SettingOf(Setting::TableWidth);
  const SettingEntry& ch = SettingOf(Setting::CellHeight);
  for (const auto& [entry, value] : {std::pair{&tw, "180"}, std::pair{&ch, "35"}}) {
    EXPECT_EQ(entry->empty, "");  // an empty width stays empty
    EXPECT_EQ(entry->file_default, value);
    EXPECT_EQ(entry->upgrade, value);
    EXPECT_EQ(entry->editor_default, value);
    EXPECT_EQ(entry->editor_fallback, value);
  }
  for (const auto& [id, value] : {std::pair{Setting::MinimumColumnWidth, "30"}, std::pair{Setting::MemoHeight, "40"}}) {
    const SettingEntry& entry = SettingOf(id);
    EXPECT_EQ(entry.empty, value);
    EXPECT_EQ(entry.file_default, std::nullopt);
    EXPECT_EQ(entry.upgrade, std::nullopt);
    EXPECT_EQ(entry.editor_default, value);
    EXPECT_EQ(entry.editor_fallback, value);
  }
  EXPECT_EQ(SettingOf(Setting::HolidayNames).empty, "1");
  EXPECT_EQ(SettingOf(Setting::HolidayNames).file_default, std::nullopt);  // a new file gets it from its upgrade
  EXPECT_EQ(DesignSettings{}.minimum_column_width, "30");
  EXPECT_EQ(DesignSettings{}.equal_columns, 1);
  EXPECT_EQ(SettingOf(Setting::FontName, 6).key, "6");
  EXPECT_THROW(std::ignore = SettingOf(Setting::FontName, 7), std::logic_error);
}

// A new settings file, byte for byte: the lines other programs and older
// versions of this one know.
TEST(SettingsSchemaTest, TheDefaultFileIsTheKnownSeventyTwoLines) {
  const std::string expected =
      "[category]\r\n0=燃やせるごみ\r\n1=粗大ごみ\r\n2=空きかん\r\n3=空きびん\r\n4=不燃廃プラスチック・ビニール\r\n5="
      "古紙・古着類\r\n6=発泡スチロール・発泡トレイ\r\n7=ペットボトル\r\n8=その他のプラスチック類\r\n9=ガラス類\r\n10="
      "牛乳パック\r\n11=乾電池\r\n12=\r\n13=\r\n14=\r\n15=\r\n16=\r\n17=\r\n18=\r\n19=\r\n"
      "[FontSize]\r\n0=6\r\n1=6\r\n2=3\r\n3=5\r\n4=5\r\n5=3\r\n"
      "[FontStyle]\r\n0=太字\r\n1=太字\r\n2=通常\r\n3=通常\r\n4=通常\r\n5=通常\r\n"
      "[FontAlign]\r\n0=中央\r\n1=右\r\n"
      "[FontColor]\r\n0=#0000FF\r\n1=#008000\r\n2=#000000\r\n"
      "[Cell]\r\nStyle=solid\r\nBorder=1\r\nColor=#000000\r\n"
      "[Title]\r\nString=ダストーラ\r\n"
      "[Option]\r\nSP=0\r\n"
      "[FontName]\r\n0=ＭＳ Ｐゴシック\r\n1=ＭＳ Ｐゴシック\r\n2=ＭＳ Ｐゴシック\r\n3=ＭＳ Ｐゴシック\r\n4=ＭＳ "
      "Ｐゴシック\r\n5=ＭＳ Ｐゴシック\r\n"
      "[Memo]\r\nFN=ＭＳ "
      "Ｐゴシック\r\nFSZ=4\r\nFST=通常\r\nFC=#000000\r\nCS=solid\r\nCW=1\r\nCC=#000000\r\nOP=0\r\nPath=\r\n"
      "[Table]\r\nWC=0\r\nTW=180\r\nHC=0\r\nCH=35\r\n";
  EXPECT_EQ(DefaultSettingsText(), expected);
  EXPECT_EQ(DefaultSettingsLines().size(), 72u);
}

// The six steps on an empty file: every generation's keys, in the order
// files of earlier versions got them.
TEST(SettingsSchemaTest, UpgradingAnEmptyFileWritesEveryGeneration) {
  ProfileFile file = ProfileFile::FromBytes("", "");
  EXPECT_EQ(UpgradeSettings(file), "PlusMyIni");
  const std::string text = sjis::Decode(file.Bytes());
  EXPECT_EQ(text,
            "[FontSize]\r\n0=6\r\n1=6\r\n2=3\r\n3=5\r\n4=5\r\n5=3\r\n"
            "[FontStyle]\r\n0=太字\r\n1=太字\r\n2=通常\r\n3=通常\r\n4=通常\r\n5=通常\r\n"
            "[FontAlign]\r\n0=中央\r\n1=右\r\n"
            "[FontColor]\r\n0=#0000FF\r\n1=#008000\r\n2=#000000\r\n"
            "[Cell]\r\nBorder=1\r\nSpace=0\r\nColor=#000000\r\nStyle=solid\r\n"
            "[Title]\r\nString=ダストーラ\r\n"
            "[Option]\r\nSP=0\r\nHD=1\r\n"
            "[FontName]\r\n0=ＭＳ Ｐゴシック\r\n1=ＭＳ Ｐゴシック\r\n2=ＭＳ Ｐゴシック\r\n3=ＭＳ Ｐゴシック\r\n4=ＭＳ "
            "Ｐゴシック\r\n5=ＭＳ Ｐゴシック\r\n"
            "[Memo]\r\nFN=ＭＳ Ｐゴシック\r\nFSZ=4\r\nFST=通常\r\nFC=#000000\r\nCS=solid\r\nCW=1\r\nCC=#000000\r\nOP="
            "0\r\nPath=\r\n"
            "[Table]\r\nWC=0\r\nTW=180\r\nHC=0\r\nCH=35\r\n");
}

TEST(SettingsSchemaTest, ListsReferOnlyToEntriesWithTheirColumn) {
  std::set<const SettingEntry*> read;
  for (const SettingEntry* entry : SettingsReadOrder()) {
    EXPECT_TRUE(entry->written()) << entry->section << "/" << entry->key;
    EXPECT_TRUE(read.insert(entry).second) << entry->section << "/" << entry->key << " read twice";
  }
  std::size_t written = 0;
  for (const SettingEntry& entry : SettingsSchema()) {
    if (!entry.written()) continue;
    ++written;
    EXPECT_TRUE(read.contains(&entry)) << entry.section << "/" << entry.key << " never read";
    EXPECT_NE(static_cast<bool>(entry.text), static_cast<bool>(entry.byte)) << entry.section << "/" << entry.key;
  }
  EXPECT_EQ(read.size(), written);
  for (const SettingEntry* entry : DefaultFileEntries()) {
    EXPECT_TRUE(entry->file_default.has_value()) << entry->section << "/" << entry->key;
  }
  ASSERT_EQ(UpgradeSteps().size(), 6u);
  for (const UpgradeStep& step : UpgradeSteps()) {
    bool writes_sentinel = false;
    for (const SettingEntry* entry : step.entries) {
      EXPECT_TRUE(entry->upgrade.has_value()) << step.tag << " " << entry->section << "/" << entry->key;
      writes_sentinel |= entry == step.sentinel;
    }
    EXPECT_TRUE(writes_sentinel) << step.tag;  // else the step would run at every start
  }
}

// A text of its own for each entry, numeric where the entry takes numbers.
std::string MarkOf(const SettingEntry& entry, int n) {
  return entry.read == ReadRule::NumericOr ? std::to_string(1000 + n) : "v" + std::to_string(n);
}
// A number of its own for each byte entry, inside the range of a Count.
int ByteMarkOf(const SettingEntry& entry, int n) {
  return entry.read == ReadRule::Count ? entry.low + n % (entry.high - entry.low + 1) : n;
}

// Each entry reaches a field of its own: values written through the table
// come back through a file whole, and none is lost to another entry.
TEST(SettingsSchemaTest, EveryEntryHasAFieldOfItsOwn) {
  Report report;
  AppSettings settings;
  CalendarDocument document;
  int n = 0;
  for (const SettingEntry& entry : SettingsSchema()) {
    ++n;
    if (entry.text) entry.text(settings, document) = MarkOf(entry, n);
    if (entry.byte) entry.byte(settings, document) = ByteMarkOf(entry, n);
  }
  ProfileFile file = ProfileFile::FromBytes("", "");
  WriteSettings(settings, document, file);
  AppSettings read;
  CalendarDocument read_document;
  ReadSettings(file, "test", read, read_document, report);
  n = 0;
  for (const SettingEntry& entry : SettingsSchema()) {
    ++n;
    if (entry.text) {
      EXPECT_EQ(entry.text_value(read, read_document), MarkOf(entry, n)) << entry.section << "/" << entry.key;
    }
    if (entry.byte) {
      EXPECT_EQ(entry.byte_value(read, read_document), ByteMarkOf(entry, n)) << entry.section << "/" << entry.key;
    }
  }
  EXPECT_EQ(read.design, settings.design);
  EXPECT_EQ(read.category, settings.category);
  EXPECT_TRUE(report.empty());
}

}  // namespace
}  // namespace dustora
