#pragma once

#include "platform/dialogvalue.h"

#include <QHash>
#include <QObject>
#include <QString>

namespace mosaicon {

// The window "Select Temporary Internet Directory", which picks the output
// directory of the page and slide-show writers. The value holds what the drive
// list and the directory list show and the selected-directory label, with the
// window's rules; the dialog only shows it. The directory is stored whenever
// the window is unloaded, so leaving it by Cancel stores the label too.
class TargetDirectory : public platform::DialogValue
{
    Q_OBJECT

public:
    static constexpr int loadedHeight = 5925;

    // The load steps, starting from the directory the lists start on.
    explicit TargetDirectory(const QString& startDirectory, QObject* parent = nullptr);
    // Starts from the working directory, as the lists do.
    explicit TargetDirectory(QObject* parent = nullptr);

    QString caption = QStringLiteral("Select Temporary Internet Directory");
    int height = 0; // twips

    TextBox Text1;
    // The root of the volume the drive list shows.
    QString o_drive;
    // The directory the directory list shows.
    QString o_dir;
    Label o_directory;

    // Shows the window modally; returns when it has been hidden.
    void show();
    // The opener's unload after the modal display.
    void unload();

    // The drive list now shows o_drive: the directory list goes to where it
    // last was on that volume, or to its root.
    void o_drive_Change();
    // The directory list now shows o_dir.
    void o_dir_Change();
    // Save / Exit.
    void saveAndClose();
    // Runs Save / Exit; the frame's close unloads too.
    void Form_Unload();

    // The root of the volume that holds path.
    static QString volumeOf(const QString& path);

private:
    void load();
    void moveDirectoryList(const QString& dir);

    QHash<QString, QString> m_lastDirOnVolume;
};

} // namespace mosaicon
