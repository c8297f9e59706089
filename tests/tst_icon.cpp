// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows icon holds exactly nine images: 16, 24 and 32 pixels, each at
// 4, 8 and 32 bits per pixel, and each one decodes.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

class TestIcon final : public QObject
{
    Q_OBJECT

private slots:
    void holdsNineImages();
    void imagesDecode();
};

void TestIcon::holdsNineImages()
{
    QFile file(QStringLiteral(VELMARIN_ICO));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    QVERIFY(data.size() > 6);
    QCOMPARE(qFromLittleEndian<quint16>(bytes + 2), quint16(1)); // an icon, not a cursor
    const int count = qFromLittleEndian<quint16>(bytes + 4);
    QCOMPARE(count, 9);
    QSet<QPair<int, int>> seen;
    for (int i = 0; i < count; ++i) {
        const uchar *entry = bytes + 6 + 16 * i;
        const int size = entry[0];
        const int bits = qFromLittleEndian<quint16>(entry + 6);
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        QCOMPARE(int(entry[1]), size);
        QCOMPARE(int(entry[2]), bits == 4 ? 16 : 0);
        QVERIFY(offset + length <= quint32(data.size()));
        // The bitmap itself must say the same as its directory entry.
        const uchar *header = bytes + offset;
        QCOMPARE(qFromLittleEndian<qint32>(header + 4), size);
        QCOMPARE(qFromLittleEndian<qint32>(header + 8), 2 * size);
        QCOMPARE(int(qFromLittleEndian<quint16>(header + 14)), bits);
        seen.insert({size, bits});
    }
    QSet<QPair<int, int>> expected;
    for (int size : {16, 24, 32})
        for (int bits : {4, 8, 32})
            expected.insert({size, bits});
    QCOMPARE(seen, expected);
}

void TestIcon::imagesDecode()
{
    QImageReader reader(QStringLiteral(VELMARIN_ICO), "ico");
    QCOMPARE(reader.imageCount(), 9);
    for (int i = 0; i < 9; ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        // The corners are transparent and the middle is not, at every depth.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(qAlpha(image.pixel(image.width() / 2, image.height() / 2)) > 0);
    }
}

QTEST_GUILESS_MAIN(TestIcon)
#include "tst_icon.moc"
