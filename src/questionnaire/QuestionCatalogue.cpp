#include "questionnaire/QuestionCatalogue.h"

#include <stdexcept>

namespace tomira {

namespace {

// Vata 1 to 20, Pitta 21 to 40, Kapha 41 to 60.
constexpr std::array<std::string_view, kStatementCount> kStatements = {
    // Vata
    " 動作が非常に早い。",
    " 物を覚えるのも、後で思い出すのも苦手だ。",
    " 活発で、物事にすぐ夢中になる。",
    " やせ型で、なかなか太らない。",
    " 新しいことを覚えるのがとても早い。",
    " 足取りが軽く、せかせかと速く歩く。",
    " なかなか決められず、迷うことが多い。",
    " お腹にガスがたまったり、便秘をしたりしやすい。",
    " 手足が冷えやすい。",
    " 心配や不安を感じることが多い。",
    " 人よりも寒さに弱い。",
    " 話すのが早く、おしゃべりだと言われる。",
    " 気分が変わりやすく、感情的になりやすい。",
    " 寝つきが悪く、眠りが浅い。",
    " 肌が乾燥しやすく、冬は特にひどくなる。",
    " 頭の中が常に忙しく、落ち着きがなく、想像力が豊かだ。",
    " 急に動き出すことが多く、元気に波がある。",
    " 興奮しやすい。",
    " 気をつけていないと、食事や睡眠が不規則になる。",
    " 覚えるのは早いが、忘れるのも早い。",
    // Pitta
    " 自分はとても能率がよい方だと思う。",
    " 何事も正確に、きちんと順序よく行う。",
    " 意志が強く、時に強引になることがある。",
    " 暑い日は体がつらく、疲れやすい。",
    " 汗をかきやすい。",
    " すぐイライラしたり怒ったりする（いつも表に出すとは限らない）",
    " 食事を抜いたり遅れたりすると、具合が悪くなる。",
    " 若白髪や薄毛の傾向があり、髪は細くてまっすぐだ。",
    " 食欲が旺盛で、たくさん食べられる。",
    " 多くの人から頑固だと思われている。",
    " 便通がとても規則正しく、便はやわらかめだ。",
    " 気が短く、すぐにじれったくなる。",
    " 細かいところまでこだわる完璧主義者だ。",
    " すぐ怒るが、怒ったことはすぐに忘れる。",
    " アイスクリームなど冷たい食べ物が大好きだ。",
    " 室内で寒いと感じるより、暑いと感じることが多い。",
    " 熱い料理や辛い料理が苦手だ。",
    " 寛容でありたいと思うが、意見がぶつかるのは嫌いだ。",
    " 挑戦が好きで、欲しいものは努力して手に入れる。",
    " 他人にも自分にもとても厳しい。",
    // Kapha
    " 動作がゆっくりで、おっとりしている。",
    " 太りやすく、やせにくい。",
    " 落ち着いていて、慌てることがない。",
    " 食事を一回抜いても、あまり気にならない。",
    " 痰や唾液が多く、鼻づまりや喘息、鼻の不調がある。",
    " 少なくとも八時間は眠らないとつらい。",
    " 眠りが大変深い。",
    " 穏やかで、めったに怒らない。",
    " 覚えるのは遅いが、一度覚えたら忘れない。",
    " ぽっちゃりしていて、脂肪がつきやすい。",
    " 寒くて湿っぽい天気が苦手だ。",
    " 髪が太くて黒く、ウェーブがかかっている。",
    " 肌がやわらかく、なめらかで色白だ。",
    " 体が大きく、がっしりしている。",
    " 穏やかで優しく、愛情深く、人を許すことができる。",
    " 消化が遅く、食後は体が重く感じる。",
    " 持久力があり、いつも安定して元気だ。",
    " 歩き方がゆっくりで、落ち着いている。",
    " 寝坊しがちで、朝はなかなか動き出せない。",
    " 食べるのが遅く、何事もきちんと順を追って進める。",
};

constexpr std::array<std::string_view, kScaleEntryCount> kScale = {
    "1:全く あてはまらない", "2:あまり あてはまらない", "3:少し あてはまる",
    "4:まあまあ あてはまる", "5:よく あてはまる",       "6:非常によく あてはまる",
};

constexpr DoshaWords kVataWords{"ｳﾞｧｰﾀ:", "ヴァータ：", "ヴァータ"};
constexpr DoshaWords kPittaWords{"ﾋﾟｯﾀ:", "  ピッタ：", "ピッタ"};
constexpr DoshaWords kKaphaWords{"ｶﾊﾟ:", "  カパ：", "カパ"};

void CheckNumber(int number)
{
    if (number < 1 || number > kStatementCount) {
        throw std::out_of_range("statement number " + std::to_string(number));
    }
}

}  // namespace

const DoshaWords& WordsOf(Dosha dosha)
{
    switch (dosha) {
    case Dosha::Vata:
        return kVataWords;
    case Dosha::Pitta:
        return kPittaWords;
    case Dosha::Kapha:
        break;
    }
    return kKaphaWords;
}

std::optional<Dosha> DoshaOfPage(std::int16_t pageOffset)
{
    switch (pageOffset) {
    case kVataPage:
        return Dosha::Vata;
    case kPittaPage:
        return Dosha::Pitta;
    case kKaphaPage:
        return Dosha::Kapha;
    default:
        return std::nullopt;
    }
}

std::string_view StatementText(int number)
{
    CheckNumber(number);
    return kStatements[static_cast<std::size_t>(number - 1)];
}

std::optional<PageTexts> PageStatementTexts(std::int16_t pageOffset)
{
    PageTexts texts;
    if (pageOffset == kDonePage) {
        return texts;
    }
    if (!DoshaOfPage(pageOffset)) {
        return std::nullopt;
    }
    for (int k = 0; k < kRowsPerPage; ++k) {
        texts[static_cast<std::size_t>(k)] = std::string(StatementText(pageOffset + k + 1));
    }
    return texts;
}

const std::array<std::string_view, kScaleEntryCount>& AnswerScale() { return kScale; }

std::int16_t AnswerValue(std::string_view entryText)
{
    if (entryText.empty() || entryText.front() < '0' || entryText.front() > '9') {
        throw std::invalid_argument("an answer begins with its value");
    }
    return static_cast<std::int16_t>(entryText.front() - '0');
}

}  // namespace tomira
