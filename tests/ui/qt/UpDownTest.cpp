// The up-down control and its buddy edit: which texts become a position,
// stepping by arrows and arrow keys without wrapping, and its place at the
// edit's right edge.

#include "ui/framework/qt/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using qor::ui::qt::UpDown;

class UpDownTest : public QObject {
  Q_OBJECT

  QWidget* m_Parent = nullptr;
  QLineEdit* m_Edit = nullptr;
  UpDown* m_UpDown = nullptr;

 private slots:
  void init() {
    m_Parent = new QWidget;
    m_Edit = new QLineEdit(m_Parent);
    m_Edit->setGeometry(10, 20, 60, 22);
    m_UpDown = new UpDown(m_Parent);
    m_UpDown->setGeometry(55, 20, 16, 22);
    m_UpDown->SetBuddy(m_Edit);
    m_UpDown->SetRange(0, 255);
  }
  void cleanup() { delete m_Parent; }

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
    m_UpDown->SetPos(42);
    m_Edit->setText(text);
    QCOMPARE(m_UpDown->GetPos(), position);
    QCOMPARE(m_Edit->text(), text);  // reading never rewrites the edit
  }

  void lastValidTextIsKept() {
    m_UpDown->SetPos(200);
    m_Edit->setText(QStringLiteral("30"));
    QCOMPARE(m_UpDown->GetPos(), 30);
    m_Edit->setText(QStringLiteral("300"));
    QCOMPARE(m_UpDown->GetPos(), 30);
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
    m_UpDown->SetPos(requested);
    QCOMPARE(m_Edit->text(), text);
    QCOMPARE(m_UpDown->GetPos(), text.toInt());
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
    m_UpDown->SetPos(10);
    m_Edit->setText(start);
    for (const QString& text : texts) {
      QTest::keyClick(m_Edit, static_cast<Qt::Key>(key));
      QCOMPARE(m_Edit->text(), text);
    }
  }

  void arrowsStepTheBuddy() {
    const auto arrows = m_UpDown->findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    QToolButton* up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    QToolButton* down = up == arrows[0] ? arrows[1] : arrows[0];
    m_Parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_Parent));
    m_UpDown->SetPos(100);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(m_Edit->text(), QStringLiteral("101"));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(m_Edit->text(), QStringLiteral("99"));
    QCOMPARE(up->focusPolicy(), Qt::NoFocus);
  }

  void sitsAtTheBuddysRightEdge() {
    QCOMPARE(m_UpDown->GetBuddy(), m_Edit);
    QCOMPARE(m_UpDown->geometry(), QRect(54, 20, 16, 22));
    QCOMPARE(m_Edit->geometry(), QRect(10, 20, 44, 22));
  }
};

QTEST_MAIN(UpDownTest)
#include "UpDownTest.moc"
