// Puts the offer for one copied object on the system clipboard and serves it until the time given in
// seconds has passed, so that an outside clipboard client can read it. Prints "ready"
// once the offer is owned.
#include "app/ClipboardOffer.h"
#include "graph/CurveDrawing.h"
#include "typeset/qt/QtCanvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("formula");
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;
    const std::string markup = argc > 3 ? argv[3] : "a/b+c";

    using namespace quorvel;
    auto cache = std::make_shared<typeset::QtTextCache>();
    document::Document doc;
    doc.view = document::ViewSettings::forSheet(400, 300);
    document::DEFINEFUN item;
    item.kind = kind == QLatin1String("curve") ? document::KindCustomFunction : document::KindFormulaPicture;
    item.expression = markup;
    item.resizeSamples(401);
    std::fill(item.defined.begin(), item.defined.end(), 1);
    typeset::QtCanvas measuring(cache);
    graph::GraphItemPainter().sizeLabelBox(item, measuring);
    doc.addCurve(std::move(item));

    auto data = app::clipboardOffer(doc, {document::ObjectRef::Curve, 0}, 400, cache);
    if (!data) return 2;
    QGuiApplication::clipboard()->setMimeData(data.release());

    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    QTimer::singleShot(0, [] {
        std::puts(QGuiApplication::clipboard()->ownsClipboard() ? "ready" : "not owner");
        std::fflush(stdout);
    });
    return application.exec();
}
