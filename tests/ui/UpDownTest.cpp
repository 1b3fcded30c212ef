// The up-down control and its buddy edit: which texts become a position,
// stepping by arrows and arrow keys without wrapping, and its place at the
// edit's right edge.

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "ui/framework/UpDown.h"

using qor::ui::CSpinButtonCtrl;

class UpDownTest : public QObject {
  Q_OBJECT

  QWidget* parent_ = nullptr;
  QLineEdit* edit_ = nullptr;
  CSpinButtonCtrl* upDown_ = nullptr;

 private slots:
  void init() {
    parent_ = new QWidget;
    edit_ = new QLineEdit(parent_);
    edit_->setGeometry(10, 20, 60, 22);
    upDown_ = new CSpinButtonCtrl(parent_);
    upDown_->setGeometry(55, 20, 16, 22);
    upDown_->SetBuddy(edit_);
    upDown_->SetRange(0, 255);
  }
  void cleanup() { delete parent_; }

  void readsOnlyNumbersWithinTheRange_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::newRow("number") << "7" << 7;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("upper end") << "255" << 255;
    QTest::newRow("above range") << "256" << 42;
    QTest::newRow("far above range") << "300" << 42;
    QTest::newRow("too long for an int") << "99999999999" << 42;
    QTest::newRow("empty") << "" << 42;
    QTest::newRow("negative") << "-1" << 42;
    QTest::newRow("plus sign") << "+5" << 42;
    QTest::newRow("leading blank") << " 5" << 42;
    QTest::newRow("trailing blank") << "5 " << 42;
    QTest::newRow("letters after digits") << "1a" << 42;
    QTest::newRow("letters") << "abc" << 42;
    QTest::newRow("other script's digit") << QString(QChar(0x0663)) << 42;
  }

  void readsOnlyNumbersWithinTheRange() {
    QFETCH(QString, text);
    QFETCH(int, position);
    upDown_->SetPos(42);
    edit_->setText(text);
    QCOMPARE(upDown_->GetPos(), position);
    QCOMPARE(edit_->text(), text);  // reading never rewrites the edit
  }

  void lastValidTextIsKept() {
    upDown_->SetPos(200);
    edit_->setText(QStringLiteral("30"));
    QCOMPARE(upDown_->GetPos(), 30);
    edit_->setText(QStringLiteral("300"));
    QCOMPARE(upDown_->GetPos(), 30);
  }

  void setPosClampsAndWritesTheNumber_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<QString>("text");
    QTest::newRow("inside") << 7 << "7";
    QTest::newRow("above") << 300 << "255";
    QTest::newRow("below") << -4 << "0";
  }

  void setPosClampsAndWritesTheNumber() {
    QFETCH(int, requested);
    QFETCH(QString, text);
    upDown_->SetPos(requested);
    QCOMPARE(edit_->text(), text);
    QCOMPARE(upDown_->GetPos(), text.toInt());
  }

  void stepsWithoutWrapping_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("texts");  // after each of three presses
    QTest::newRow("up to the top") << "253" << int(Qt::Key_Up) << QStringList{"254", "255", "255"};
    QTest::newRow("down to the bottom") << "2" << int(Qt::Key_Down) << QStringList{"1", "0", "0"};
    QTest::newRow("from text it rejects") << "abc" << int(Qt::Key_Up) << QStringList{"11", "12", "13"};
    QTest::newRow("from leading zeros") << "007" << int(Qt::Key_Down) << QStringList{"6", "5", "4"};
  }

  void stepsWithoutWrapping() {
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QStringList, texts);
    upDown_->SetPos(10);
    edit_->setText(start);
    for (const QString& text : texts) {
      QTest::keyClick(edit_, static_cast<Qt::Key>(key));
      QCOMPARE(edit_->text(), text);
    }
  }

  void arrowsStepTheBuddy() {
    const auto arrows = upDown_->findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    QToolButton* up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    QToolButton* down = up == arrows[0] ? arrows[1] : arrows[0];
    parent_->show();
    QVERIFY(QTest::qWaitForWindowExposed(parent_));
    upDown_->SetPos(100);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(edit_->text(), QStringLiteral("101"));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(edit_->text(), QStringLiteral("99"));
    QCOMPARE(up->focusPolicy(), Qt::NoFocus);
  }

  void sitsAtTheBuddysRightEdge() {
    QCOMPARE(upDown_->GetBuddy(), edit_);
    QCOMPARE(upDown_->geometry(), QRect(54, 20, 16, 22));
    QCOMPARE(edit_->geometry(), QRect(10, 20, 44, 22));
  }
};

QTEST_MAIN(UpDownTest)
#include "UpDownTest.moc"
