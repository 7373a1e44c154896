// Hostile texts in each of the three measurement fields of the real main
// window: typed or pasted as a user would, the field left with Tab, then
// cmd計算 clicked. The other two fields hold sound values (170, 65, 20).
// The window must survive, keep the text as entered, show no figure that
// depends on a field holding no usable number, name that field in one
// "確認" message, and show the right figures for everything else.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/frmStartMenu.h"
#include "ui/RecordingMessages.h"

namespace tomira {
namespace {

using namespace std::literals;
using testing::RecordingMessages;

enum class Entry { Keys, Paste };  // typed key by key, or pasted with Ctrl+V
// What a user should expect of the text:
//  Usable: a number the calculation takes (value below), no message;
//  Empty:  nothing entered, so nothing to calculate with and nothing to complain about;
//  Faulty: no usable number, so a message and no figure from this field.
enum class Use { Usable, Empty, Faulty };

struct Row {
    const char* what;
    QString text;
    Entry entry;
    Use use;
    double value;  // for Usable
};

// Every code unit as written (QString::fromUtf16 would drop a leading byte
// order mark).
QString U16(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

const std::vector<Row>& Rows()
{
    const auto K = Entry::Keys;
    const auto P = Entry::Paste;
    const auto ok = Use::Usable;
    const auto bad = Use::Faulty;
    static const std::vector<Row> rows = {
        {"empty", {}, K, Use::Empty, 0},
        {"blanks", U16(u"   "), K, bad, 0},
        {"ideographic blank", U16(u"\u3000"), K, bad, 0},
        {"mixed blanks", U16(u" \u3000 \u3000"), K, bad, 0},
        {"blanks around", U16(u"  170 "), K, ok, 170},
        {"ideographic blanks around", U16(u"\u3000１７０．５\u3000"), K, ok, 170.5},
        {"full-width with point", U16(u"１７０．５"), K, ok, 170.5},
        {"full-width digits", U16(u"６５"), K, ok, 65},
        {"plus sign", U16(u"+170"), K, ok, 170},
        {"leading zeros", U16(u"00170"), K, ok, 170},
        {"minus sign", U16(u"-65"), K, ok, -65},
        {"mathematical minus", U16(u"\u221265"), K, ok, -65},
        {"full-width minus", U16(u"－６５"), K, ok, -65},
        {"minus alone", U16(u"-"), K, bad, 0},
        {"plus alone", U16(u"+"), K, bad, 0},
        {"full-width minus alone", U16(u"－"), K, bad, 0},
        {"point alone", U16(u"."), K, bad, 0},
        {"zero", U16(u"0"), K, ok, 0},
        {"minus zero", U16(u"-0"), K, ok, 0},
        {"full-width minus zero", U16(u"－０"), K, ok, 0},
        {"point five rounds to zero", U16(u".5"), K, ok, 0.5},
        {"minus point five", U16(u"-.5"), K, ok, -0.5},
        {"point six rounds to one", U16(u"0.6"), K, ok, 0.6},
        {"trailing point", U16(u"5."), K, ok, 5},
        {"largest whole number", U16(u"32767"), K, ok, 32767},
        {"rounds past the largest", U16(u"32767.5"), K, bad, 0},
        {"smallest, half to even", U16(u"-32768.5"), K, ok, -32768.5},
        {"below the smallest", U16(u"-32769"), K, bad, 0},
        {"too large", U16(u"99999"), K, bad, 0},
        {"exponent too large", U16(u"1e999"), K, bad, 0},
        {"exponent too small", U16(u"1e-999"), K, bad, 0},
        {"exponent", U16(u"1e5"), K, bad, 0},
        {"hexadecimal", U16(u"0x10"), K, bad, 0},
        {"two points", U16(u"1.2.3"), K, bad, 0},
        {"two minus signs", U16(u"--5"), K, bad, 0},
        {"two signs", U16(u"+-5"), K, bad, 0},
        {"trailing sign", U16(u"5-"), K, bad, 0},
        {"blank inside", U16(u"1 70"), K, bad, 0},
        {"unit", U16(u"170cm"), K, bad, 0},
        {"full-width unit", U16(u"１７０ｃｍ"), K, bad, 0},
        {"decimal comma", U16(u"1,70"), K, bad, 0},
        {"full-width comma", U16(u"１，７０"), K, bad, 0},
        {"NaN", U16(u"NaN"), K, bad, 0},
        {"inf", U16(u"inf"), K, bad, 0},
        {"minus inf", U16(u"-inf"), K, bad, 0},
        {"kanji numerals", U16(u"百七十"), K, bad, 0},
        {"Arabic-Indic digits", U16(u"\u0661\u0667\u0660"), K, bad, 0},
        {"long vowel mark for minus", U16(u"ー65"), K, bad, 0},
        {"no-break space", U16(u"170\u00A0"), K, bad, 0},
        {"combining accent", U16(u"1\u030170"), K, bad, 0},
        {"full-width with enclosing mark", U16(u"１７０\u20DD"), K, bad, 0},
        {"emoji", U16(u"\U0001F600"), K, bad, 0},
        {"number and emoji", U16(u"170\U0001F4AA"), K, bad, 0},
        {"leading tab", U16(u"\t170"), P, bad, 0},
        {"trailing tab", U16(u"170\t"), P, bad, 0},
        {"tab alone", U16(u"\t"), P, bad, 0},
        {"newline", U16(u"170\n"), P, bad, 0},
        {"CR LF inside", U16(u"17\r\n0"), P, bad, 0},
        {"bell", U16(u"\u0007" u"170"), P, bad, 0},
        {"NUL inside", U16(u"17\u0000" u"0"sv), P, bad, 0},
        {"NUL at the end", U16(u"170\u0000"sv), P, bad, 0},
        {"escape", U16(u"\u001B[0m170"), P, bad, 0},
        {"right-to-left mark", U16(u"\u200F170"), K, bad, 0},
        {"right-to-left override", U16(u"170\u202E"), K, bad, 0},
        {"zero-width space", U16(u"1\u200B70"), K, bad, 0},
        {"byte order mark", U16(u"\uFEFF170"), K, bad, 0},
        {"lone surrogate", U16(u"170\xD800"), P, bad, 0},
        {"10,000 nines", QString(10000, u'9'), P, bad, 0},
        {"10,000 letters", QString(10000, u'x'), P, bad, 0},
        {"10,000 characters, zeros then 170", QString(9997, u'0') + U16(u"170"), P, ok, 170},
        {"10,000 characters, a tiny fraction", U16(u"0.") + QString(9997, u'0') + U16(u"1"), P, ok, 0},
    };
    return rows;
}

struct FieldSpec {
    const char* name;  // object name
    const char* word;  // as the message names it
    double sound;      // the value typed when another field is under test
    const char* test;  // test name
};
const FieldSpec kFields[] = {{"txt身長", "身長", 170, "Height"},
                             {"txt体重", "体重", 65, "Weight"},
                             {"txt体脂肪率", "体脂肪率", 20, "BodyFat"}};

// One measurement as the calculation sees it.
struct Input {
    bool blank;  // nothing to calculate with
    double value;
};
// Nearest whole number 0, halves to even.
bool IsZero(const Input& in) { return std::fabs(in.value) <= 0.5; }

// One decimal, halves away from zero, no "-" on a figure that rounds to 0.
QString Shown(double value)
{
    double tenths = std::round(value * 10) / 10;
    if (tenths == 0) {
        tenths = 0;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", tenths);
    return QString::fromLatin1(buffer);
}

struct Figures {
    QString bmi, ideal, fat;
};

// BMI = weight / (height in m)², ideal weight = 22 × (height in m)²,
// fat mass = weight × body fat / 100. BMI and fat mass need non-zero
// inputs; the ideal weight needs a height and a weight that are not blank.
Figures Expected(const Input& h, const Input& w, const Input& f)
{
    const double m = h.value / 100;
    Figures out;
    if (!IsZero(h) && !IsZero(w)) {
        out.bmi = Shown(w.value / (m * m));
    }
    if (!h.blank && !w.blank) {
        out.ideal = Shown(22 * m * m);
    }
    if (!IsZero(w) && !IsZero(f)) {
        out.fat = Shown(w.value * f.value / 100);
    }
    return out;
}

// The parameter is the index in kFields of the field under test.
class BadInputTableTest : public ::testing::TestWithParam<std::size_t> {
protected:
    void Start()
    {
        window.reset();
        state = modCommon{};
        messages.shown.clear();
        window = std::make_unique<frmStartMenu>(state, messages);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    QLineEdit* Field(const char* name) { return window->findChild<QLineEdit*>(QString::fromUtf8(name)); }

    // Clicks into the field and enters the text, as a user would.
    // Whatever the field held is selected and erased first.
    void Enter(QLineEdit* field, const QString& text, Entry entry)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        if (entry == Entry::Paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            return;
        }
        // One key event a character, as a keyboard or an input method
        // sends them (keyClicks only knows Latin-1).
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
            const QString key = text.mid(i, length);
            if (key.at(0).unicode() < 0x80) {
                QTest::keyClicks(field, key);
            } else {
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, key, Qt::NoModifier);
            }
            i += length;
        }
    }

    void ClickCalculate()
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmd計算")), Qt::LeftButton);
    }

    // One case on a new window: sound values in the other two fields, the
    // row's text in field `under`, Tab, cmd計算. With `shownBefore`, all
    // three sound values are calculated first, so the figures are on
    // screen when the text replaces the sound value.
    void Check(std::size_t under, const Row& row, bool shownBefore)
    {
        Start();
        const FieldSpec& spec = kFields[under];
        for (const FieldSpec& other : kFields) {
            if (&other != &spec || shownBefore) {
                Enter(Field(other.name), QString::number(other.sound), Entry::Keys);
            }
        }
        if (shownBefore) {
            ClickCalculate();
            ASSERT_EQ(Field("txtBMI")->text(), QStringLiteral("22.5"));
            ASSERT_EQ(Field("txt理想体重")->text(), QStringLiteral("63.6"));
            ASSERT_EQ(Field("txt体脂肪量")->text(), QStringLiteral("13.0"));
        }
        QLineEdit* field = Field(spec.name);
        ASSERT_NE(field, nullptr);
        Enter(field, row.text, row.entry);
        ASSERT_EQ(field->text(), row.text) << "could not enter the text";
        QTest::keyClick(field, Qt::Key_Tab);
        ClickCalculate();

        ASSERT_TRUE(window->isVisible());
        Input inputs[3];
        for (std::size_t i = 0; i < 3; ++i) {
            inputs[i] = {false, kFields[i].sound};
            EXPECT_EQ(Field(kFields[i].name)->text(), i == under ? row.text : QString::number(kFields[i].sound))
                << kFields[i].name;
        }
        inputs[under] = row.use == Use::Usable ? Input{false, row.value} : Input{true, 0};
        const Figures expected = Expected(inputs[0], inputs[1], inputs[2]);
        EXPECT_EQ(Field("txtBMI")->text(), expected.bmi);
        EXPECT_EQ(Field("txt理想体重")->text(), expected.ideal);
        EXPECT_EQ(Field("txt体脂肪量")->text(), expected.fat);

        if (row.use != Use::Faulty) {
            EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
            EXPECT_TRUE(field->toolTip().isEmpty());
            return;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        const QString message = QString::fromStdString(messages.shown[0].text);
        EXPECT_EQ(messages.shown[0].title, "確認");
        for (const FieldSpec& named : kFields) {
            EXPECT_EQ(message.contains(QString::fromUtf8(named.word)), &named == &spec)
                << named.word << " in " << messages.shown[0].text;
        }
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_FALSE(field->toolTip().isEmpty());
    }

    modCommon state;
    RecordingMessages messages;
    std::unique_ptr<frmStartMenu> window;
};

TEST_P(BadInputTableTest, EachHostileText)
{
    ASSERT_GE(Rows().size(), 40u);
    const std::size_t under = GetParam();
    for (const bool shownBefore : {false, true}) {
        for (const Row& row : Rows()) {
            SCOPED_TRACE(std::string(shownBefore ? "after a calculation, " : "first calculation, ") +
                         kFields[under].word + ": " + row.what);
            Check(under, row, shownBefore);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, BadInputTableTest, ::testing::Range<std::size_t>(0, std::size(kFields)),
                         [](const auto& info) { return std::string(kFields[info.param].test); });

}  // namespace
}  // namespace tomira
