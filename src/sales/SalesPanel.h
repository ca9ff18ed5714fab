#pragma once

#include "common/ListBox.h"
#include "common/TextValue.h"
#include "common/ImageValue.h"

#include <QObject>
#include <QStringList>

namespace Common { class OperatorUi; }

namespace Sales {

// The sales panel `Picture1`: the property reference, the index picture, the thumbnail
// and large-picture sets with their previews, and the two texts.
class SalesPanel : public QObject {
    Q_OBJECT
public:
    static inline const QString kOneIndexFile =
        QStringLiteral("1 seul fichier requis seulement pour la vignette !");

    explicit SalesPanel(Common::OperatorUi &ui, QObject *parent = nullptr);

    // Only the last three characters count, and only "jpg" or "JPG" pass.
    static bool isPictureName(const QString &path);

    void dropIndexImage(const QStringList &files);  // onto Picture2
    void dropThumbnails(const QStringList &files);  // onto Picture3
    void dropLargeImages(const QStringList &files); // onto Picture4
    void clearShortText() { txtCourt.setText({}); } // Command21
    void clearLongText() { txtDesc.setText({}); }   // Command22

    Common::TextValue txtRef{QStringLiteral("txtRef"), QStringLiteral("ref001")};
    Common::TextValue lblThb{QStringLiteral("lblThb")};
    Common::ListBox lstThbVente{QStringLiteral("lstThbVente")};
    Common::ListBox lstBigVente{QStringLiteral("lstBigVente")};
    Common::TextValue txtCourt{QStringLiteral("txtCourt")};
    Common::TextValue txtDesc{QStringLiteral("txtDesc")};
    Common::ImageValue imgThb{QStringLiteral("imgThb")};
    Common::ImageValue imgThbv{QStringLiteral("imgThbv")};
    Common::ImageValue imgThbB{QStringLiteral("imgThbB")};

private:
    void dropOnGallery(const QStringList &files, Common::ListBox &list, Common::ImageValue &preview);

    Common::OperatorUi &ui_;
};

} // namespace Sales
