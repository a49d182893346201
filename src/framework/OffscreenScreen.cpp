#include "framework/OffscreenScreen.h"

#include <QByteArray>
#include <QTemporaryFile>

OffscreenScreen::OffscreenScreen() : description_(std::make_unique<QTemporaryFile>()) {
    const QByteArray json = QByteArray("{\"screens\": [{\"name\": \"Offscreen\", \"x\": 0, \"y\": 0, ") +
                            "\"width\": " + QByteArray::number(kOffscreenWidth) +
                            ", \"height\": " + QByteArray::number(kOffscreenHeight) +
                            ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n";
    if (description_->open() && description_->write(json) == json.size() && description_->flush()) {
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" + description_->fileName().toLocal8Bit());
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

OffscreenScreen::~OffscreenScreen() = default;
