// What the text fields make of the input-method events they get.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/FieldInputMethods.h"

namespace tomira {
namespace {

class FieldInputMethodsTest : public ::testing::Test, public QObject {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (QLineEdit* field : {&name, &height, &weight}) {
            layout->addWidget(field);
            field->installEventFilter(this);
        }
        fields.SetMode(&name, ImeMode::Hiragana);
        fields.SetMode(&height, ImeMode::Off);
        fields.SetMode(&weight, ImeMode::Disabled);
        window.show();
        QApplication::setActiveWindow(&window);
        name.setFocus();
        QApplication::processEvents();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return fields.Filter(static_cast<QWidget*>(watched), event);
    }
    static void Input(QWidget& field, const QString& preedit, const QString& commit = {})
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(&field, &event);
    }

    FieldInputMethods fields{std::make_unique<NoInputMethod>()};
    QWidget window;
    QLineEdit name, height, weight;
};

TEST_F(FieldInputMethodsTest, ADisabledFieldTakesNothingFromAnIme)
{
    weight.setFocus();
    Input(weight, QStringLiteral("ろく"));
    Input(weight, {}, QStringLiteral("６５"));
    EXPECT_EQ(weight.text(), QString());
    Input(name, QStringLiteral("やまだ"));
    Input(name, {}, QStringLiteral("山田"));
    EXPECT_EQ(name.text(), QStringLiteral("山田"));
}

TEST_F(FieldInputMethodsTest, APendingCompositionIsCommittedOnceIntoItsOwnField)
{
    // Left by the focus: into the name, and the IME's late copy is dropped.
    Input(name, QStringLiteral("やまだ"));
    height.setFocus();
    EXPECT_EQ(name.text(), QStringLiteral("やまだ"));
    Input(height, {}, QStringLiteral("やまだ"));
    EXPECT_EQ(height.text(), QString());
    // A composition of the height's own is still taken, and so is a
    // character committed at once after it.
    Input(height, QStringLiteral("いち"));
    Input(height, {}, QStringLiteral("１"));
    Input(height, {}, QStringLiteral("、"));
    EXPECT_EQ(height.text(), QStringLiteral("１、"));

    // Alt, as an access key begins, commits it too.
    name.setFocus();
    name.clear();
    Input(name, QStringLiteral("たろう"));
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(&name, &alt);
    EXPECT_EQ(name.text(), QStringLiteral("たろう"));
    Input(name, {}, QStringLiteral("たろう"));
    EXPECT_EQ(name.text(), QStringLiteral("たろう"));
}

}  // namespace
}  // namespace tomira
