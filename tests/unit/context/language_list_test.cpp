#include "context/language_list.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace vwi {
namespace {

const std::u16string kFixtures = Utf16FromUtf8(VWI_FIXTURES) + u"\\localisation";

struct Result {
  UiStringCatalogue strings;
  std::vector<LanguageEntry> languages;
  bool multipleLanguages = true;
};

Result Build(std::u16string pid, std::vector<int32_t> packs, std::u16string requested,
             int32_t userLanguage) {
  ProductManifest manifest;
  manifest.pid = std::move(pid);
  for (const int32_t id : packs) manifest.languagePacks.push_back({id, u"", u"", u""});
  Result r;
  BuildLanguageList(kFixtures, manifest, requested, userLanguage,
                    {r.strings, r.languages, r.multipleLanguages});
  return r;
}

TEST(BaseLanguage, FirstTwoCharactersOfThePidIgnoringCase) {
  EXPECT_EQ(BaseLanguageForPid(u"de-VZH-27").entry, (LanguageEntry{u"German", 1031}));
  EXPECT_EQ(BaseLanguageForPid(u"FRx").entry, (LanguageEntry{u"French", 1036}));
  EXPECT_EQ(BaseLanguageForPid(u"Za").entry, (LanguageEntry{u"Chinese (Simplified)", 2052}));
  EXPECT_EQ(BaseLanguageForPid(u"ZH").entry, (LanguageEntry{u"Chinese (Traditional)", 1028}));
  EXPECT_EQ(BaseLanguageForPid(u"JA").entry, (LanguageEntry{u"Japanese", 1041}));
  EXPECT_EQ(BaseLanguageForPid(u"IT").entry, (LanguageEntry{u"Italian", 1040}));
  EXPECT_EQ(BaseLanguageForPid(u"ES").entry, (LanguageEntry{u"Spanish", 1034}));
  EXPECT_TRUE(BaseLanguageForPid(u"es").isDefault);
  for (const auto* pid : {u"EN", u"D", u"", u"XDE", u"\u00c4E"}) {
    const BaseLanguage base = BaseLanguageForPid(pid);
    EXPECT_EQ(base.entry, (LanguageEntry{u"English", 1033}));
    EXPECT_FALSE(base.isDefault);
  }
}

TEST(BuildLanguageList, SetsTheLanguageFolder) {
  EXPECT_EQ(Build(u"EN", {}, u"", 1033).strings.languageFolder, kFixtures + u"\\language\\");
}

TEST(BuildLanguageList, GermanBaseIsTheDefault) {
  const Result r = Build(u"de01", {}, u"", 1033);
  EXPECT_EQ(r.languages, (std::vector<LanguageEntry>{{u"German", 1031}}));
  EXPECT_EQ(r.strings.languageId, 1031);
  EXPECT_FALSE(r.multipleLanguages);
}

TEST(BuildLanguageList, EnglishOnlyKeeps1033WhateverTheUser) {
  const Result r = Build(u"EN01", {}, u"", 1031);
  EXPECT_EQ(r.languages, (std::vector<LanguageEntry>{{u"English", 1033}}));
  EXPECT_EQ(r.strings.languageId, 1033);
  EXPECT_FALSE(r.multipleLanguages);
}

TEST(BuildLanguageList, PacksAreNamedByTheirTitlesAndTheUserLanguageIsChosen) {
  const Result r = Build(u"EN01", {1031, 1036, 2052}, u"", 1031);
  EXPECT_EQ(
      r.languages,
      (std::vector<LanguageEntry>{
          {u"English", 1033}, {u"Deutsch", 1031}, {u"Fran\u00e7ais", 1036}, {u"2052", 2052}}));
  EXPECT_EQ(r.strings.languageId, 1031);
  EXPECT_TRUE(r.multipleLanguages);
}

TEST(BuildLanguageList, RequestedLanguageMustBeOffered) {
  // German base, "/lang 1036" without a French pack: nothing matches, 1033 stays.
  EXPECT_EQ(Build(u"DE01", {}, u"1036", 1031).strings.languageId, 1033);
  // With the pack, it is chosen over the base language.
  EXPECT_EQ(Build(u"DE01", {1036}, u"1036", 1031).strings.languageId, 1036);
  // Leading digits count, as in the manifest.
  EXPECT_EQ(Build(u"DE01", {1036}, u" 1036abc", 1031).strings.languageId, 1036);
}

TEST(BuildLanguageList, RequestWithoutAPositiveNumberAsksForTheUserLanguage) {
  // The base language is not requested then: the user's English is, and it is not offered.
  EXPECT_EQ(Build(u"DE01", {}, u"german", 1033).strings.languageId, 1033);
  EXPECT_EQ(Build(u"DE01", {}, u"-1031", 1033).strings.languageId, 1033);
  EXPECT_EQ(Build(u"DE01", {}, u"0", 1031).strings.languageId, 1031);
  EXPECT_EQ(Build(u"DE01", {1036}, u"x", 1036).strings.languageId, 1036);
}

TEST(BuildLanguageList, DuplicatesStayAndTheFirstMatchWins) {
  const Result r = Build(u"DE01", {1031}, u"", 1033);
  EXPECT_EQ(r.languages, (std::vector<LanguageEntry>{{u"German", 1031}, {u"Deutsch", 1031}}));
  EXPECT_EQ(r.strings.languageId, 1031);
  EXPECT_TRUE(r.multipleLanguages);
}

}  // namespace
}  // namespace vwi
