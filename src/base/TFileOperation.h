#pragma once

#include <QFlags>
#include <QString>

// One file operation (copy, delete, move or rename) over a set of files:
// overwriting without questions and creating missing folders. Answers 0 on
// success and a non-zero error number otherwise.
class TFileOperation
{
public:
    enum Mode
    {
        foCopy,
        foDelete,
        foMove,
        foRename
    };
    enum Option
    {
        fofAllowUndo = 0x1,
        fofConfirmMouse = 0x2,
        fofFilesOnly = 0x4, // a wildcard matches files only
        fofMultiDestFiles = 0x8,
        fofNoConfirmation = 0x10,
        fofNoConfirmMkDir = 0x20,
        fofRenameOnCollision = 0x40,
        fofSilent = 0x80,
        fofSimpleProgress = 0x100,
        fofWantMappingHandle = 0x200,
    };
    Q_DECLARE_FLAGS(Options, Option)

    // The options every operation of the program uses.
    static Options standardOptions()
    {
        return Options(fofFilesOnly | fofMultiDestFiles | fofNoConfirmation | fofNoConfirmMkDir | fofSilent |
                       fofSimpleProgress);
    }

    TFileOperation() = default;
    TFileOperation(Mode mode, const QString& title, Options options = standardOptions())
        : Mode_(mode), Options_(options), Title_(title)
    {
    }

    Mode mode() const { return Mode_; }
    void setMode(Mode mode) { Mode_ = mode; }
    Options options() const { return Options_; }
    void setOptions(Options options) { Options_ = options; }
    QString title() const { return Title_; }
    void setTitle(const QString& title) { Title_ = title; }
    // Several files are separated by ";"; the last name may hold * and ?.
    QString source() const { return Source_; }
    void setSource(const QString& source) { Source_ = source; }
    // A folder (the files keep their names) or, for one file, the new file name;
    // with fofMultiDestFiles one entry per source, separated by ";".
    QString destination() const { return Destination_; }
    void setDestination(const QString& destination) { Destination_ = destination; }
    bool abortByUser() const { return AbortByUser_; }

    int execute();

private:
    Mode Mode_ = foCopy;
    Options Options_;
    QString Title_;
    QString Source_;
    QString Destination_;
    bool AbortByUser_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFileOperation::Options)
