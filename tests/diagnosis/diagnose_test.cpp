#include "diagnosis/diagnose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "platform/codepage_service.h"
#include "support/test_support.h"

namespace qor {
namespace {

std::string Chain(const Candidate& candidate) {
  std::string chain;
  for (const Text& label : candidate.chain) chain += (chain.empty() ? "" : " > ") + Show(label);
  return chain;
}

// Golden cases from the corpus (bench/diagnosis_corpus/cases.tsv), one or two per family:
// the garbled text, the original, and how the damage happened.
struct Golden {
  const char* how;
  const char* garbled;
  const char* original;
};

const Golden kGolden[] = {
    {"UTF-8 read as GBK", "涔辩爜", "乱码"},
    {"GBK read as Western", "ÖÐÎÄ", "中文"},
    {"UTF-8 read as Western",
     "\"%s\" ì»¤ì„œëŠ” ì\u009D´ì\u00A0„ íŠ¸ëžœìž\u00ADì…˜ì—\u0090ì„œ ë³´ë¥˜ë\u0090¨",
     "\"%s\" 커서는 이전 트랜잭션에서 보류됨"},
    {"UTF-8 read as Western", "*** éš±å\u0090«å’Œæ™®é€šè¦\u008Få‰‡æ··å\u0090ˆï¼šå·²æ£„ç”¨çš„èªžæ³•",
     "*** 隱含和普通規則混合：已棄用的語法"},
    {"UTF-8 read as Latin-1",
     "å\u0085³ç³»\"%"
     "s\"ä¸\u008Dè\u0083½ä½\u009Cä¸ºä¿®æ\u0094¹è¯\u00ADå\u008F¥ç\u009A\u0084ç\u009B®æ\u00A0\u0087",
     "关系\"%s\"不能作为修改语句的目标"},
    {"GBK read as Western", "ÏµÍ³ÖÐ´ò¿ªµÄÎÄ¼þ¹ý¶à", "系统中打开的文件过多"},
    {"GBK read as Big5", "勤衾 OCSP 腔饜离", "对于 OCSP 的配置"},
    {"Big5 read as GBK", "礚猭秨币ヘ魁 '%s'", "無法開啟目錄 '%s'"},
    {"Big5 read as Western", "%s: ¤£©úªº¸`¬q¦WºÙ¡u%.*s¡v", "%s: 不明的節段名稱「%.*s」"},
    {"Shift-JIS read as GBK", "儊僯儏乕偺僥僉僗僩偺椬偵昞帵偡傞巕僂傿僕僃僢僩",
     "メニューのテキストの隣に表示する子ウィジェット"},
    {"Korean read as GBK", "巩磊狼 裹困肺 肋给等 捞抚", "문자의 범위로 잘못된 이름"},
    {"UTF-16BE read as UTF-16LE", "䜀渀甀䌀愀猀栀\u2000⊍ꅒ灥湣", "GnuCash 财务数据"},
    {"UTF-8 read as Western, twice",
     "Ã§Â¬Â¬ %u "
     "Ã¦Â\u009DÂ¡Ã¦Å’â€¡Ã¤Â»Â¤Ã¤Â¸Â\u00ADÃ¯Â¼Å’Ã¦Â²Â¡Ã¦Å“â€°Ã¤Â¸Å½Ã¢â‚¬Å“<"
     "Ã¢â‚¬Â\u009DÃ¥Å’Â¹Ã©â€¦Â\u008DÃ§Å¡â€žÃ¢â‚¬Å“>Ã¢â‚¬Â\u009DÃ£â‚¬â€š",
     "第 %u 条指令中，没有与“<”匹配的“>”。"},
    {"UTF-8 read as GBK, saved as UTF-8, read as Western",
     "é\u008FƒçŠ³ç¡¶æµœÑ…æ•“é\u008F†å‚›æ¤‚å¦—ï½\u008Fç´°%s", "无法产生暂时档：%s"},
    {"GBK read as Western, saved as UTF-8, read as GBK",
     "脦脼路篓陆芦脢盲鲁枚脦脛录镁脨麓脠毛隆掳%s隆卤", "无法将输出文件写入“%s”"},
    // A decoder that shortens the text must not lose to it for being shorter.
    {"\\u escapes of Korean", "\\ub2f9\\uc2e0\\uc758 \\ucee4\\ub110 ok", "당신의 커널 ok"},
    // ASCII with its UTF-16 bytes swapped reads as rare ideographs, not as Chinese.
    {"UTF-16LE read as UTF-16BE", "匀夀一伀倀匀䤀匀 漀瀀琀椀漀渀猀", "SYNOPSIS options"},
    // Western, Cyrillic and Greek text is modelled too.
    {"UTF-8 read as Western", "xmlPreviousElementSibling mistake (FranÃ§ois Delyon)",
     "xmlPreviousElementSibling mistake (François Delyon)"},
    {"UTF-8 read as Western, three times", "Le fichier a ÃƒÆ’Ã‚Â©tÃƒÆ’Ã‚Â© crÃƒÆ’Ã‚Â©ÃƒÆ’Ã‚Â©",
     "Le fichier a été créé"},
    {"Russian UTF-8 read as Western", "ÐŸÑ€Ð¸Ð²ÐµÑ‚, Ð¼Ð¸Ñ€", "Привет, мир"},
    {"Russian Windows-1251 read as GBK", "脏殡 礤 磬殇屙", "Файл не найден"},
    {"Greek UTF-8 read as Western", "Î•Î»Î»Î·Î½Î¹ÎºÏŒ ÎºÎµÎ¯Î¼ÎµÎ½Î¿", "Ελληνικό κείμενο"},
    // A result full of controls is no text: quoted-printable is decoded, not read as EBCDIC.
    {"quoted-printable UTF-8", "=E4=B8=AD=E6=96=87 text", "中文 text"},
    // Two garbled ideographs in a line of ASCII still read as garbled.
    {"Big5 read as GBK, among ASCII", "12.1.2. Shell 把计", "12.1.2. Shell 參數"},
    // Byte 0x81 of "с" shows as a control: part of the UTF-8, not a sign of something else.
    {"Russian UTF-8 read as Western, a byte of it a control",
     "Ð¡ÐµÑ€Ð²ÐµÑ€ Ð²ÐµÑ€Ð½ÑƒÐ» Ð½ÐµÐ´Ð¾Ð¿ÑƒÑ\u0081Ñ‚Ð¸Ð¼Ñ‹Ð¹ Ð¾Ñ‚Ð²ÐµÑ‚",
     "Сервер вернул недопустимый ответ"},
};

// Repairs of damage the text had already, or that the program's own conventions define: a
// character lost before counts once, and small damage is seen.
struct LossyGolden {
  const char* how;
  const char* garbled;
  const char16_t* chain;
  const char* begins;  // what the repair's result begins with
};

const LossyGolden kLossyGolden[] = {
    {"UTF-8 cut inside its last character, read as GBK", "鏃犳硶鎵撳紑鏂\uFFFD", u"GB--UTF8",
     "无法打开"},
    {"GBK read one byte out of step", "硕韵蟮目煞梦实腗DI值", u"GB+半字", " 对象的可访问的MDI值"},
    {"ISO-2022-KR without its ESC bytes", "$)C\u000EGQ19>n\u000F \u000EEX=:F.\u000F",
     u"Esc+韩文(ISO-2022)", "한국어 텍스트"},
};

TEST(Diagnose, RepairsTheGoldenCases) {
  for (const Golden& golden : kGolden) {
    const Diagnosis diagnosis = Diagnose(T(golden.garbled));
    ASSERT_TRUE(diagnosis.NeedsRepair()) << golden.how << ": " << golden.garbled;
    const Candidate& best = diagnosis.candidates.front();
    EXPECT_EQ(Show(best.result), golden.original) << golden.how << " via " << Chain(best);
    EXPECT_TRUE(best.Lossless()) << golden.how;
    EXPECT_GT(best.score, 0) << golden.how;
    // Running the chain through the catalogue gives the result again.
    Text replay = T(golden.garbled);
    for (const Text& label : best.chain) {
      replay = RunStep(*Catalogue::Get().Find(label), replay).result;
    }
    EXPECT_EQ(replay, best.result) << golden.how;
  }
}

TEST(Diagnose, RepairsDamageTheTextHadOrThatItsOwnConventionsDefine) {
  for (const LossyGolden& golden : kLossyGolden) {
    const Diagnosis diagnosis = Diagnose(T(golden.garbled));
    ASSERT_TRUE(diagnosis.NeedsRepair()) << golden.how;
    const Candidate& best = diagnosis.candidates.front();
    EXPECT_EQ(best.chain, std::vector<Text>{golden.chain}) << golden.how << " via " << Chain(best);
    EXPECT_EQ(Show(best.result).rfind(golden.begins, 0), 0u)
        << golden.how << ": " << Show(best.result);
    // The cut character counts once, as the one lost.
    EXPECT_LE(best.substituted + best.invalid, 1u) << golden.how;
  }
}

TEST(Diagnose, NamesTheFixedItemForItsRepair) {
  EXPECT_EQ(Diagnose(T("涔辩爜")).candidates.front().chain, std::vector<Text>{u"GB--UTF8"});
  EXPECT_EQ(Diagnose(T("ÖÐÎÄ")).candidates.front().chain, std::vector<Text>{u"Eng--GB"});
}

TEST(Diagnose, LeavesCleanTextAsItIs) {
  const char* clean[] = {
      "无法打开文件“%s”：权限不够。",
      "請輸入密碼以解除鎖定。",
      "ファイルを開けませんでした",
      "파일을 열 수 없습니다",
      "The quick brown fox jumps over the lazy dog.",
      "Usage: qor-cli fix [-i FILE] —— 自动诊断乱码并给出最可能的修复。",
      "a+b=c, 100% done; see <https://example.org/a%20b?x=1&y=2>",
      "",
      "ВІКІ is Ukrainian for WIKI",
      "HÅØYA ER BLÅØYD",
      "Le serveur a renvoyé une réponse invalide ; réessayez plus tard.",
      "Größere Dateien können nicht geöffnet werden.",
      "Не удалось открыть файл «%s»: доступ запрещён.",
      "Δεν ήταν δυνατό το άνοιγμα του αρχείου.",
      "Nie można otworzyć pliku: brak uprawnień.",
      // ASCII words between ideographs, paths, CamelCase and "+" are not held against a line.
      "章节包括 名称(NAME)、用法(USAGE) 和 选项(OPTIONS)，详见下文",
      "打印机的默认输出格式是 PostScript，也可以改用 JavaScript 生成",
      "如果配置路径原先为 /etc/qor:/usr/local/etc/qor 且$HOME 未设置",
      "Il contient un répertoire lost+found, peut-être parce qu'il s'agit d'un point de montage.",
      // Escapes whose decoding gives only ASCII are text in their own right.
      "格式为 %09ld，按 &lt;回车&gt; 键继续",
  };
  for (const char* text : clean) {
    const Diagnosis diagnosis = Diagnose(T(text));
    EXPECT_FALSE(diagnosis.NeedsRepair()) << text << " -> " << Chain(diagnosis.candidates.front())
                                          << " " << Show(diagnosis.candidates.front().result);
    ASSERT_FALSE(diagnosis.candidates.empty());
    EXPECT_EQ(diagnosis.candidates.front().result, T(text));
    EXPECT_EQ(diagnosis.candidates.front().score, 0);
    EXPECT_EQ(diagnosis.candidates.front().explanation.substr(0, 5), u"无需修复：");
  }
}

TEST(Diagnose, NoRepairBringsBackWhatTheTextLostBefore) {
  // U+FFFD marks a character lost before the text came here. Latin1 writing its low byte, or
  // UTF-16 writing its two bytes, makes up letters from it ("����" read back through Latin1 and
  // Windows-1251 as "нннн"); showing it as "?" or dropping it only hides it.
  const char* lost[] = {"����", "��", "� � �", "??��", "文件�", "Fran�ois"};
  for (const char* text : lost) {
    const Diagnosis diagnosis = Diagnose(T(text));
    EXPECT_FALSE(diagnosis.NeedsRepair()) << text << " -> " << Chain(diagnosis.candidates.front())
                                          << " " << Show(diagnosis.candidates.front().result);
    EXPECT_EQ(diagnosis.candidates.front().explanation.substr(0, 5), u"无需修复：") << text;
  }
}

TEST(Diagnose, RepairsTheWholeOfALongText) {
  // Longer than the sample: the best chains found there are confirmed on the whole text. Only
  // lines whose garbling can be undone exactly (an even count of UTF-8 bytes under GBK).
  const Text lines[] = {T("无法打开文件 %s\n"), T("权限不够\n"), T("Permission denied\n"),
                        T("请稍候，正在下载软件包列表\n"), T("最后一行的汉字也要修好\n")};
  Text original;
  for (std::size_t k = 0; original.size() < 16000; ++k) {
    const Text& line = lines[k % 5];
    if (Reinterpret(Reinterpret(line, kLcidUtf8, kLcidChineseSimplified), kLcidChineseSimplified,
                    kLcidUtf8) == line)
      original += line;
  }
  const Text garbled = Reinterpret(original, kLcidUtf8, kLcidChineseSimplified);
  ASSERT_EQ(Reinterpret(garbled, kLcidChineseSimplified, kLcidUtf8), original);
  const Diagnosis diagnosis = Diagnose(garbled);
  ASSERT_TRUE(diagnosis.NeedsRepair());
  EXPECT_EQ(diagnosis.candidates.front().chain, std::vector<Text>{u"GB--UTF8"});
  EXPECT_TRUE(diagnosis.candidates.front().result == original);
}

TEST(Diagnose, RankingIsDeterministic) {
  for (const Golden& golden : {kGolden[0], kGolden[5], kGolden[14]}) {
    const Diagnosis a = Diagnose(T(golden.garbled));
    const Diagnosis b = Diagnose(T(golden.garbled));
    ASSERT_EQ(a.candidates.size(), b.candidates.size());
    for (std::size_t k = 0; k < a.candidates.size(); ++k) {
      EXPECT_EQ(a.candidates[k].chain, b.candidates[k].chain) << k;
      EXPECT_EQ(a.candidates[k].result, b.candidates[k].result) << k;
      EXPECT_EQ(a.candidates[k].score, b.candidates[k].score) << k;
    }
  }
}

TEST(Diagnose, RunsOnSeveralThreadsAtOnce) {
  std::vector<Diagnosis> results(4);
  std::vector<std::thread> threads;
  for (std::size_t k = 0; k < results.size(); ++k) {
    threads.emplace_back([&results, k] { results[k] = Diagnose(T(kGolden[k].garbled)); });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t k = 0; k < results.size(); ++k) {
    EXPECT_EQ(Show(results[k].candidates.front().result), kGolden[k].original);
  }
}

TEST(Diagnose, StopsWhenAsked) {
  std::stop_source stop;
  stop.request_stop();
  DiagnosisOptions options;
  options.stop = stop.get_token();
  const Diagnosis diagnosis = Diagnose(T("涔辩爜"), options);
  EXPECT_TRUE(diagnosis.stopped);
  ASSERT_FALSE(diagnosis.candidates.empty());
  EXPECT_FALSE(diagnosis.NeedsRepair());
}

// Repairs of our own, to pin the ranking rules apart from the model's weights.
Step Fake(Text label, Text result, std::size_t substituted = 0, std::size_t invalid = 0) {
  Step step{std::move(label), [=](TextView, ConversionCounts& counts) {
              counts.substituted += substituted;
              counts.invalid += invalid;
              return result;
            }};
  step.chainable = true;
  return step;
}

TEST(DiagnoseRanking, LosslessBeatsLossy) {
  const Text garbled = T("ÎÞ·¨´ò¿ª»º³åÎÄ¼þ");
  const std::vector<Step> repairs = {
      Fake(u"lossy", T("无法打开缓冲文件"), 2, 0),
      Fake(u"broken", T("无法打开缓冲文件�"), 0, 0),  // U+FFFD appeared: lost, uncounted
      Fake(u"lossless", T("无法打开文件")),
  };
  DiagnosisOptions options;
  options.beam = 0;
  const Diagnosis diagnosis = Diagnose(garbled, repairs, options);
  ASSERT_EQ(diagnosis.candidates.size(), 4u);
  EXPECT_EQ(diagnosis.candidates[0].chain, std::vector<Text>{u"lossless"});
  EXPECT_TRUE(diagnosis.candidates[0].Lossless());
  const auto find = [&](TextView label) {
    return std::find_if(
        diagnosis.candidates.begin(), diagnosis.candidates.end(),
        [&](const Candidate& c) { return c.chain == std::vector<Text>{Text(label)}; });
  };
  const auto lossy = find(u"lossy");
  ASSERT_NE(lossy, diagnosis.candidates.end());
  EXPECT_EQ(lossy->substituted, 2u);
  EXPECT_NE(lossy->explanation.find(u"丢失 2 个字符（2 个成了“?”）"), Text::npos)
      << Show(lossy->explanation);
  const auto broken = find(u"broken");
  ASSERT_NE(broken, diagnosis.candidates.end());
  EXPECT_EQ(broken->invalid, 1u);
  EXPECT_NE(broken->explanation.find(u"丢失"), Text::npos);
  // Two characters lost in nine is too many: below the text as it is.
  const auto as_is = std::find_if(diagnosis.candidates.begin(), diagnosis.candidates.end(),
                                  [](const Candidate& c) { return c.chain.empty(); });
  EXPECT_GT(lossy, as_is);
}

TEST(DiagnoseRanking, RepairsThatLostTooMuchAreListedOnlyWhereThereIsRoom) {
  // UTF-8 read as GBK with a lost byte in every few characters: each repair loses too much.
  const Text garbled = T("鐢ㄦ硶娑堟伅锛岀劧鍚庨��鍑恒�傛墦鍗扮畝鐭�鐨勫府鍔╂秷鎭�骞堕��鍑恒");
  DiagnosisOptions one;
  one.max_candidates = 1;
  const Diagnosis alone = Diagnose(garbled, one);
  const Diagnosis listed = Diagnose(garbled);
  ASSERT_EQ(alone.candidates.size(), 1u);
  EXPECT_EQ(alone.candidates[0].result, listed.candidates[0].result);
  EXPECT_TRUE(std::any_of(listed.candidates.begin(), listed.candidates.end(),
                          [](const Candidate& c) { return !c.Lossless(); }));
}

TEST(DiagnoseRanking, ACharacterMadeUpWhereOneWasLostIsALoss) {
  // The step reads well and counts nothing, but its letters stand where the text had U+FFFD.
  const std::vector<Step> repairs = {Fake(u"made up", T("无法打开文件夹"))};
  const Diagnosis diagnosis = Diagnose(T("鏃犳硶鎵撳紑鏂囦欢\uFFFD"), repairs, {});
  ASSERT_EQ(diagnosis.candidates.size(), 2u);
  EXPECT_FALSE(diagnosis.NeedsRepair());
  EXPECT_EQ(diagnosis.candidates[1].substituted, 1u);
}

TEST(DiagnoseRanking, ALossyRepairStillBeatsGarbage) {
  // Nothing lossless reads better than the text: the lossy repair is offered, its loss named.
  const std::vector<Step> repairs = {Fake(u"cut", T("无法打开文件�"), 0, 1)};
  const Diagnosis diagnosis = Diagnose(T("鏃犳硶鎵撳紑鏂囦欢"), repairs, {});
  ASSERT_TRUE(diagnosis.NeedsRepair());
  EXPECT_EQ(diagnosis.candidates.front().invalid, 1u);
  EXPECT_EQ(diagnosis.candidates[1].chain, std::vector<Text>{});
}

TEST(DiagnoseRanking, ATruncatedTextsRepairLosesOneCharacterAndStillWins) {
  // A text cut inside its last character: the true repair loses that one character, and a
  // lossless result that reads a little better than the garbage must not bury it.
  const Text garbled = T("鏃犳硶鎵撳紑缂撳啿鏂囦欢锛岃妫€鏌ユ枃浠惰矾寰");
  const std::vector<Step> repairs = {
      Fake(u"cut", T("无法打开缓冲文件，请检查文件路径�"), 0, 1),
      Fake(u"garbage", T("鏃犳硶鎵撳紑缂撳啿鏂囦欢 abc")),
      Fake(u"ruined", T("无法打开缓冲文件，请检查文件路径"), 5, 0),
  };
  DiagnosisOptions options;
  options.beam = 0;
  const Diagnosis diagnosis = Diagnose(garbled, repairs, options);
  ASSERT_GE(diagnosis.candidates.size(), 2u);
  EXPECT_EQ(diagnosis.candidates[0].chain, std::vector<Text>{u"cut"});
  // Five characters lost in twenty is a veto: below the text as it is and below every repair
  // that kept its characters (the garbage may be too poor to be listed at all).
  const auto position = [&](std::vector<Text> chain) {
    for (std::size_t k = 0; k < diagnosis.candidates.size(); ++k) {
      if (diagnosis.candidates[k].chain == chain) return k;
    }
    return diagnosis.candidates.size();
  };
  const std::size_t ruined = position({u"ruined"});
  EXPECT_GT(ruined, position({}));
  const std::size_t garbage = position({u"garbage"});
  if (garbage < diagnosis.candidates.size()) {
    EXPECT_GT(ruined, garbage);
  }
}

TEST(DiagnoseRanking, ARepairThatFailsIsLeftOutAndNamed) {
  std::vector<Step> repairs = {Fake(u"fails", u""), Fake(u"works", T("无法打开文件"))};
  repairs[0].function = [](TextView) -> Text { throw std::bad_alloc(); };
  const Diagnosis diagnosis = Diagnose(T("ÎÞ·¨´ò¿ªÎÄ¼þ"), repairs, {});
  ASSERT_TRUE(diagnosis.NeedsRepair());
  EXPECT_EQ(diagnosis.candidates.front().chain, std::vector<Text>{u"works"});
  EXPECT_EQ(diagnosis.candidates.size(), 2u);
  EXPECT_EQ(diagnosis.failure, u"fails：std::bad_alloc");
}

TEST(DiagnoseRanking, TiesAreBrokenByLabel) {
  // The model reads every digit alike, so these score alike; all read better than the garbage.
  const std::vector<Step> repairs = {Fake(u"b", u"plain words 1"), Fake(u"a", u"plain words 2"),
                                     Fake(u"c", u"plain words 3")};
  const Diagnosis diagnosis = Diagnose(T("鏃犳硶鎵撳紑鏂囦欢"), repairs, {});
  ASSERT_EQ(diagnosis.candidates.size(), 4u);
  EXPECT_EQ(diagnosis.candidates[0].chain, std::vector<Text>{u"a"});
  EXPECT_EQ(diagnosis.candidates[1].chain, std::vector<Text>{u"b"});
  EXPECT_EQ(diagnosis.candidates[2].chain, std::vector<Text>{u"c"});
  EXPECT_EQ(diagnosis.candidates[0].score, diagnosis.candidates[1].score);
  EXPECT_GT(diagnosis.candidates[0].score, 0);
}

TEST(DiagnoseRanking, SaysSoWhenAShortTextsFirstTwoCandidatesReadAlike) {
  // Two repairs whose results the model reads alike (digits are one to it).
  const std::vector<Step> repairs = {Fake(u"a", T("文件 1")), Fake(u"b", T("文件 2"))};
  const Diagnosis diagnosis = Diagnose(T("鏂囦欢 1"), repairs, {});
  ASSERT_TRUE(diagnosis.NeedsRepair());
  EXPECT_TRUE(diagnosis.close);
  EXPECT_NE(diagnosis.candidates.front().explanation.find(u"难分高下"), Text::npos);
  // One repair alone, far better than the text: no doubt.
  const Diagnosis sure = Diagnose(T("鏂囦欢 1"), {repairs[0]}, {});
  EXPECT_FALSE(sure.close);
  EXPECT_EQ(sure.candidates.front().explanation.find(u"难分高下"), Text::npos);
}

TEST(DiagnoseRanking, ChainsStartOnlyFromStepsThatLostLittle) {
  // "first" loses three characters; the chain through it would read perfectly but is never
  // tried.
  std::vector<Step> repairs = {
      Fake(u"first", u"step one", 3, 0),
      Fake(u"second", T("无法打开文件")),
  };
  repairs[1].function = [](TextView text) {
    return text == u"step one" ? T("无法打开文件") : Text(u"x");
  };
  const Diagnosis diagnosis = Diagnose(T("ÎÞ·¨"), repairs, {});
  for (const Candidate& candidate : diagnosis.candidates) {
    EXPECT_NE(candidate.chain.size(), 2u) << Chain(candidate);
  }
}

TEST(DiagnoseRanking, FindsTwoStepChains) {
  std::vector<Step> repairs = {Fake(u"first", u"step one"), Fake(u"second", u"")};
  repairs[1].function = [](TextView text) {
    return text == u"step one" ? T("无法打开文件") : Text(text);
  };
  const Diagnosis diagnosis = Diagnose(T("ÎÞ·¨"), repairs, {});
  ASSERT_TRUE(diagnosis.NeedsRepair());
  EXPECT_EQ(diagnosis.candidates.front().chain, (std::vector<Text>{u"first", u"second"}));
  EXPECT_EQ(diagnosis.candidates.front().result, T("无法打开文件"));
}

TEST(DiagnosisRepairs, IterateTheCatalogue) {
  const std::vector<Repair> repairs = CatalogueRepairs(Catalogue::Get());
  std::vector<Text> labels;
  for (const Repair& repair : repairs) labels.push_back(repair.step.label);
  // Each label once, each resolved as apply resolves it, the fixed items chainable.
  EXPECT_EQ(std::set<Text>(labels.begin(), labels.end()).size(), labels.size());
  for (const Text& label :
       {Text(u"GB--UTF8"), Text(u"Eng--GB"), Text(u"ULE--UBE"),
        Text(u"中文简(GB18030) -- 西欧(Windows)"), Text(u"UTF8--Latin1"),
        Text(u"中欧(Windows) -- Unicode(UTF-8)"), Text(u"西里尔(KOI8-R) -- 西里尔(Windows)")}) {
    const auto at = std::find(labels.begin(), labels.end(), label);
    ASSERT_NE(at, labels.end()) << Show(label);
    EXPECT_TRUE(repairs[at - labels.begin()].chainable) << Show(label);
  }
  const auto exotic =
      std::find(labels.begin(), labels.end(), Text(u"IBM EBCDIC 美国 -- 西欧(Mac)"));
  ASSERT_NE(exotic, labels.end());
  EXPECT_FALSE(repairs[exotic - labels.begin()].chainable);
  // Selection commands are no whole-text repairs.
  EXPECT_EQ(std::find(labels.begin(), labels.end(), Text(u"转简体")), labels.end());
}

TEST(DiagnosisSample, EndsAtALineBreakOrSpace) {
  Text text;
  for (int k = 0; text.size() < 2000; ++k) text += u"ascii line\n";
  const std::size_t wide = text.size();
  for (int k = 0; k < 100; ++k) text += T("中文 行\n");
  const TextView sample = SampleOf(text, 256);
  EXPECT_LE(sample.size(), 256u);
  EXPECT_GE(sample.size(), 128u);
  // It starts on the line of the first character beyond ASCII and ends after a break or space.
  EXPECT_EQ(sample.data(), text.data() + wide);
  EXPECT_TRUE(sample.back() == u'\n' || sample.back() == u' ');
  EXPECT_EQ(SampleOf(u"short", 256), u"short");
}

}  // namespace
}  // namespace qor
