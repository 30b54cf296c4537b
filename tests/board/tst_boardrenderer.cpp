#include "board/BoardRenderer.h"
#include "board/Kubord2.h"
#include "board/LabelMeasure.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPainter>

using kestrane::BoardRenderer;
using kestrane::Kubord2;

namespace {

QImage render(const Kubord2& board, double scale, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    BoardRenderer(scale).paint(p, board, image.rect());
    return image;
}

} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savePicture()
    {
        const QByteArray path = qgetenv("KESTRANE_BOARD_PNG");
        if (path.isEmpty())
            QSKIP("set KESTRANE_BOARD_PNG to write the picture");
        kestrane::LabelMeasure measure;
        Kubord2 board;
        board.setTextMeasure(&measure);
        QVERIFY(render(board, 1.8, QSize(1920, 1080)).save(QString::fromLocal8Bit(path)));
    }
};

KESTRANE_TEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
