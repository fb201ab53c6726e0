#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

AppFlags Apply(std::vector<std::u16string> arguments) {
  AppFlags flags;
  arguments.insert(arguments.begin(), u"C:\\Downloads\\VimzeeWebInstaller.exe");
  ApplyCommandLine(arguments, OptionTable(flags));
  return flags;
}

TEST(CommandLine, NoArgumentsSetsNothing) {
  const AppFlags flags = Apply({});
  EXPECT_FALSE(flags.silentMode);
  EXPECT_FALSE(flags.skipValidation);
  EXPECT_FALSE(flags.launchAfterInstall);
  EXPECT_FALSE(flags.productInstalled);
  EXPECT_EQ(flags.requestedLanguage, u"");
}

TEST(CommandLine, OptionsIgnoreCaseButMustMatchWhole) {
  const AppFlags flags = Apply({u"/S", u"/N", u"/L"});
  EXPECT_TRUE(flags.silentMode);
  EXPECT_TRUE(flags.skipValidation);
  EXPECT_TRUE(flags.launchAfterInstall);

  const AppFlags none = Apply({u"/lang=1031", u"-s", u"/silent", u"s", u"/s "});
  EXPECT_FALSE(none.silentMode);
  EXPECT_EQ(none.requestedLanguage, u"");
}

TEST(CommandLine, LanguageTakesTheNextArgument) {
  EXPECT_EQ(Apply({u"/lang", u"1031"}).requestedLanguage, u"1031");
  EXPECT_EQ(Apply({u"/LANG", u"1036"}).requestedLanguage, u"1036");
}

TEST(CommandLine, LanguageAsLastArgumentIsEmpty) {
  EXPECT_EQ(Apply({u"/s", u"/lang"}).requestedLanguage, u"");
}

TEST(CommandLine, ValueStartingWithBackslashOrEmptyIsEmpty) {
  EXPECT_EQ(Apply({u"/lang", u"\\1031"}).requestedLanguage, u"");
  EXPECT_EQ(Apply({u"/lang", u""}).requestedLanguage, u"");
}

TEST(CommandLine, ValueIsStillExaminedAsAnOption) {
  const AppFlags flags = Apply({u"/lang", u"/s"});
  EXPECT_EQ(flags.requestedLanguage, u"/s");
  EXPECT_TRUE(flags.silentMode);
}

TEST(CommandLine, RepeatedLanguageKeepsTheLastValue) {
  EXPECT_EQ(Apply({u"/lang", u"1031", u"/lang", u"1036"}).requestedLanguage, u"1036");
  // A later empty value empties it again.
  EXPECT_EQ(Apply({u"/lang", u"1031", u"/lang"}).requestedLanguage, u"");
}

TEST(CommandLine, LogTakesItsPathByTheSameRules) {
  const AppFlags flags = Apply({u"/LOG", u"C:\\Logs\\setup.log", u"/s"});
  EXPECT_EQ(flags.logPath, u"C:\\Logs\\setup.log");
  EXPECT_TRUE(flags.silentMode);
  EXPECT_EQ(Apply({u"/log"}).logPath, u"");
  EXPECT_EQ(Apply({u"/log", u"\\server\\share\\x.log"}).logPath, u"");
  EXPECT_EQ(Apply({u"/log=setup.log"}).logPath, u"");
}

TEST(CommandLine, ProgramPathIsExaminedToo) {
  AppFlags flags;
  ApplyCommandLine({u"/s"}, OptionTable(flags));
  EXPECT_TRUE(flags.silentMode);
}

TEST(CommandLine, HelpInEitherSpelling) {
  EXPECT_FALSE(Apply({u"/s"}).showHelp);
  EXPECT_TRUE(Apply({u"/?"}).showHelp);
  EXPECT_TRUE(Apply({u"/HELP", u"/s"}).showHelp);
  EXPECT_FALSE(Apply({u"-?", u"/h", u"help"}).showHelp);
}

TEST(CommandLine, LayoutTakesItsFolderByTheSameRules) {
  EXPECT_EQ(Apply({u"/layout", u"D:\\Share\\Vimzee", u"/s"}).layoutFolder, u"D:\\Share\\Vimzee");
  EXPECT_EQ(Apply({u"/LAYOUT", u"\\\\server\\share"}).layoutFolder, u"");
  EXPECT_EQ(Apply({u"/layout"}).layoutFolder, u"");
}

}  // namespace
}  // namespace vwi
