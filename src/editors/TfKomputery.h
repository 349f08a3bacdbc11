#pragma once

#include "editors/AssetEditor.h"

// The computer editor: one row of komputery with its properties, users,
// installed licences, attached equipment and sub-records.
class TfKomputery : public AssetEditor
{
    Q_OBJECT

public:
    explicit TfKomputery(TmyDataBase& db, QWidget* parent = nullptr);
};
