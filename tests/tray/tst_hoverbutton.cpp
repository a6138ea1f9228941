#include "tray/HoverButton.h"

#include <QCursor>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

namespace
{
// The note's close button: its size, its image's size and where the image lands.
const QRect ButtonPlace(20, 10, 14, 13);
const QSize ImageSize(9, 8);
const QPoint ImageTopLeft(2, 2);
const QRgb ImageColor = qRgb(0, 0, 255);

// A button on a window, with room around it for the pointer to leave to.
struct CButtonFixture
{
    QWidget m_window;
    CHoverButton* m_pButton = new CHoverButton(&m_window);

    CButtonFixture()
    {
        QPixmap image(ImageSize);
        image.fill(QColor(ImageColor));
        m_pButton->setIcon(QIcon(image));
        m_pButton->setIconSize(ImageSize);
        m_pButton->setGeometry(ButtonPlace);
        m_window.resize(60, 40);
        // A window shown under a pointer that has not moved since the last test would take the
        // old enter for its own; every test starts with the pointer away from it.
        QCursor::setPos(300, 300);
        m_window.show();
    }

    QPoint Outside() const { return ButtonPlace.bottomRight() + QPoint(10, 10); }
    QPoint OffButton() const { return Outside() - ButtonPlace.topLeft(); }
    QRgb Shown(QPalette::ColorRole role) const { return m_pButton->palette().color(role).rgb(); }
};

bool ImageAtItsPlace(const QImage& face)
{
    const QRect image(ImageTopLeft, ImageSize);
    return face.pixel(image.topLeft()) == ImageColor &&
           face.pixel(image.bottomRight()) == ImageColor &&
           face.pixel(image.topLeft() - QPoint(1, 0)) != ImageColor &&
           face.pixel(image.bottomRight() + QPoint(0, 1)) != ImageColor;
}
} // namespace

class TestHoverButton : public QObject
{
    Q_OBJECT

private slots:
    void faceShowsPointerAndPress_data();
    void faceShowsPointerAndPress();
    void pointerGoingFlattens_data();
    void pointerGoingFlattens();
    void clickEmitsClicked();
};

void TestHoverButton::faceShowsPointerAndPress_data()
{
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QPalette::ColorRole>("topLeft");
    QTest::addColumn<QPalette::ColorRole>("bottomRight");
    QTest::newRow("flat") << false << false << QPalette::Button << QPalette::Button;
    QTest::newRow("raised") << true << false << QPalette::Light << QPalette::Dark;
    QTest::newRow("sunken") << true << true << QPalette::Dark << QPalette::Light;
}

void TestHoverButton::faceShowsPointerAndPress()
{
    QFETCH(bool, over);
    QFETCH(bool, held);
    QFETCH(QPalette::ColorRole, topLeft);
    QFETCH(QPalette::ColorRole, bottomRight);
    CButtonFixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.m_window));
    CHoverButton& button = *fixture.m_pButton;

    QTest::mouseMove(&fixture.m_window, over ? ButtonPlace.center() : fixture.Outside());
    QTRY_COMPARE(button.underMouse(), over);
    if (held)
        QTest::mousePress(&button, Qt::LeftButton);
    const QImage face = button.grab().toImage();
    if (held)
        QTest::mouseRelease(&button, Qt::LeftButton);

    QCOMPARE(face.pixel(0, 0), fixture.Shown(topLeft));
    QCOMPARE(face.pixel(face.width() - 1, face.height() - 1), fixture.Shown(bottomRight));
    QVERIFY(ImageAtItsPlace(face));
}

void TestHoverButton::pointerGoingFlattens_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("leaving") << false;
    QTest::newRow("sliding off while held") << true;
}

void TestHoverButton::pointerGoingFlattens()
{
    QFETCH(bool, held);
    CButtonFixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.m_window));
    CHoverButton& button = *fixture.m_pButton;

    QTest::mouseMove(&fixture.m_window, ButtonPlace.center());
    QTRY_VERIFY(button.IsHot());
    if (held)
        QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseMove(&button, fixture.OffButton());
    QTRY_VERIFY(!button.IsHot());
    const QImage face = button.grab().toImage();
    if (held)
        QTest::mouseRelease(&button, Qt::LeftButton, {}, fixture.OffButton());

    QCOMPARE(face.pixel(0, 0), fixture.Shown(QPalette::Button));
}

void TestHoverButton::clickEmitsClicked()
{
    CButtonFixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.m_window));
    QSignalSpy clicked(fixture.m_pButton, &CHoverButton::clicked);

    QTest::mouseMove(&fixture.m_window, ButtonPlace.center());
    QTest::mousePress(fixture.m_pButton, Qt::LeftButton);
    QTest::mouseRelease(fixture.m_pButton, Qt::LeftButton);

    QCOMPARE(clicked.count(), 1);
    QVERIFY(!fixture.m_pButton->isDown());
}

QTEST_MAIN(TestHoverButton)
#include "tst_hoverbutton.moc"
