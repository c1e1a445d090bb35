#include "Names.h"

#include <array>

namespace {

struct Part {
  const char* kanji;
  const char* kana;
  const char* romaji;
};

// Common family names and given names, each combined at random; no name stands for a real athlete.
constexpr std::array kFamilies = {
    Part{"佐藤", "サトウ", "SATO"},        Part{"高橋", "タカハシ", "TAKAHASHI"},
    Part{"渡辺", "ワタナベ", "WATANABE"},  Part{"伊藤", "イトウ", "ITO"},
    Part{"山本", "ヤマモト", "YAMAMOTO"},  Part{"中村", "ナカムラ", "NAKAMURA"},
    Part{"小林", "コバヤシ", "KOBAYASHI"}, Part{"加藤", "カトウ", "KATO"},
    Part{"吉田", "ヨシダ", "YOSHIDA"},     Part{"山田", "ヤマダ", "YAMADA"},
    Part{"佐々木", "ササキ", "SASAKI"},    Part{"松本", "マツモト", "MATSUMOTO"},
    Part{"井上", "イノウエ", "INOUE"},     Part{"木村", "キムラ", "KIMURA"},
    Part{"清水", "シミズ", "SHIMIZU"},     Part{"山口", "ヤマグチ", "YAMAGUCHI"},
    Part{"斎藤", "サイトウ", "SAITO"},     Part{"森", "モリ", "MORI"},
    Part{"池田", "イケダ", "IKEDA"},       Part{"橋本", "ハシモト", "HASHIMOTO"},
    Part{"石川", "イシカワ", "ISHIKAWA"},  Part{"前田", "マエダ", "MAEDA"},
    Part{"藤田", "フジタ", "FUJITA"},      Part{"岡田", "オカダ", "OKADA"},
    Part{"後藤", "ゴトウ", "GOTO"},        Part{"長谷川", "ハセガワ", "HASEGAWA"},
    Part{"村上", "ムラカミ", "MURAKAMI"},  Part{"近藤", "コンドウ", "KONDO"},
    Part{"坂本", "サカモト", "SAKAMOTO"},  Part{"遠藤", "エンドウ", "ENDO"},
    Part{"青木", "アオキ", "AOKI"},        Part{"西村", "ニシムラ", "NISHIMURA"},
    Part{"福田", "フクダ", "FUKUDA"},      Part{"太田", "オオタ", "OTA"},
    Part{"三浦", "ミウラ", "MIURA"},       Part{"藤原", "フジワラ", "FUJIWARA"},
    Part{"岡本", "オカモト", "OKAMOTO"},   Part{"松田", "マツダ", "MATSUDA"},
    Part{"中川", "ナカガワ", "NAKAGAWA"},  Part{"原田", "ハラダ", "HARADA"},
    Part{"小野", "オノ", "ONO"},           Part{"竹内", "タケウチ", "TAKEUCHI"},
    Part{"金子", "カネコ", "KANEKO"},      Part{"和田", "ワダ", "WADA"},
    Part{"中山", "ナカヤマ", "NAKAYAMA"},  Part{"石井", "イシイ", "ISHII"},
    Part{"上田", "ウエダ", "UEDA"},        Part{"森田", "モリタ", "MORITA"},
};

constexpr std::array kGivenNames = {
    Part{"大輔", "ダイスケ", "Daisuke"}, Part{"翔太", "ショウタ", "Shota"}, Part{"健太", "ケンタ", "Kenta"},
    Part{"拓也", "タクヤ", "Takuya"},    Part{"直樹", "ナオキ", "Naoki"},   Part{"雄大", "ユウダイ", "Yudai"},
    Part{"亮", "リョウ", "Ryo"},         Part{"悠斗", "ユウト", "Yuto"},    Part{"陸", "リク", "Riku"},
    Part{"颯太", "ソウタ", "Sota"},      Part{"大和", "ヤマト", "Yamato"},  Part{"蓮", "レン", "Ren"},
    Part{"隼人", "ハヤト", "Hayato"},    Part{"和也", "カズヤ", "Kazuya"},  Part{"誠", "マコト", "Makoto"},
    Part{"浩二", "コウジ", "Koji"},      Part{"剛", "ツヨシ", "Tsuyoshi"},  Part{"聡", "サトシ", "Satoshi"},
    Part{"勇気", "ユウキ", "Yuki"},      Part{"航", "ワタル", "Wataru"},    Part{"智也", "トモヤ", "Tomoya"},
    Part{"駿", "シュン", "Shun"},        Part{"圭", "ケイ", "Kei"},         Part{"光", "ヒカル", "Hikaru"},
    Part{"海斗", "カイト", "Kaito"},     Part{"歩夢", "アユム", "Ayumu"},   Part{"匠", "タクミ", "Takumi"},
    Part{"岳", "ガク", "Gaku"},          Part{"伸也", "シンヤ", "Shinya"},  Part{"英明", "ヒデアキ", "Hideaki"},
};

constexpr std::array kAffiliations = {
    "白樺高校",         "銀嶺クラブ",   "北星大学",       "雪峰建設",     "羊蹄スキー部", "藻岩商事",
    "下川スキー少年団", "緑丘高校",     "白馬山麓クラブ", "蔵王スキー部", "十勝運輸",     "鷹栖電機",
    "富良野学園",       "八幡平クラブ", "飯山北高校",     "名寄信用金庫",
};

const QString kIdeographicSpace = QStringLiteral("\u3000");

}  // namespace

PersonName NamePool::draw() {
  const int families = int(kFamilies.size());
  const int givenNames = int(kGivenNames.size());
  int index = 0;
  do {
    index = m_random.between(0, families - 1) * givenNames + m_random.between(0, givenNames - 1);
  } while (m_used.contains(index) && m_used.size() < families * givenNames);
  m_used.append(index);

  const Part& family = kFamilies.at(std::size_t(index / givenNames));
  const Part& given = kGivenNames.at(std::size_t(index % givenNames));
  return {QString::fromUtf8(family.kanji) + kIdeographicSpace + QString::fromUtf8(given.kanji),
          QString::fromUtf8(family.kana) + kIdeographicSpace + QString::fromUtf8(given.kana),
          QString::fromUtf8(family.romaji) + u' ' + QString::fromUtf8(given.romaji)};
}

QStringList affiliations() {
  QStringList list;
  for (const char* name : kAffiliations) list.append(QString::fromUtf8(name));
  return list;
}
