#pragma once

#include <QString>
#include <array>

namespace Videos {

// One of the six fixed video categories and the names of its controls.
struct Category {
    QString key;     // in file and remote folder names
    QString caption; // label of the drop area
    int page;        // 1 or 2
    int column;      // 0, 1, 2 within the page
    QString dropName;
    QString labelName;
    QString listName;
    QString sendListButton;   // "L"
    QString sendOneButton;    // "->"
    QString sendAllButton;    // "=>"
    QString saveButton;       // "S"
    QString clearButton;      // "CLR"
    int captionWidth = 975;   // twips

    QString upperKey() const { return key.toUpper(); }
    QString savedMessage() const
    {
        return caption + QStringLiteral(": votre selection a été sauvegardée avec succès");
    }
};

// In their fixed order: loading at start, "===>" and the pages follow it.
const std::array<Category, 6> &categories();

} // namespace Videos
