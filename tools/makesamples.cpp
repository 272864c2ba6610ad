// Paints a few sample pictures into a folder and writes "samples.txt", a list
// file of their paths, so that a first start shows a filled file list.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

QImage paint(int width, int height, QColor from, QColor to, const QString& label)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    p.fillRect(image.rect(), gradient);
    p.setPen(QPen(Qt::white, 6));
    p.drawEllipse(QPoint(width / 2, height / 2), width / 4, height / 4);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(height / 10);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignBottom | Qt::AlignHCenter, label);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mosaicon-samples FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    struct Sample
    {
        const char* name;
        int width;
        int height;
        QColor from;
        QColor to;
    };
    const Sample samples[] = {
        {"sunset.jpg", 1200, 800, QColor(250, 120, 40), QColor(90, 20, 120)},
        {"harbour.jpg", 1024, 768, QColor(20, 90, 160), QColor(200, 230, 255)},
        {"forest.jpg", 800, 1200, QColor(20, 100, 40), QColor(180, 220, 120)},
        {"dunes.png", 640, 480, QColor(230, 190, 110), QColor(140, 80, 30)},
        {"night sky.jpg", 1600, 900, QColor(5, 5, 40), QColor(60, 60, 140)},
    };
    QByteArray list;
    for (const Sample& s : samples) {
        const QString path = folder + u'/' + QString::fromUtf8(s.name);
        if (!QFile::exists(path) &&
            !paint(s.width, s.height, s.from, s.to, QString::fromUtf8(s.name)).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        list += path.toUtf8() + "\r\n";
    }
    QFile file(folder + QStringLiteral("/samples.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}
