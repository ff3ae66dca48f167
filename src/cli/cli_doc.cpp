// quorvel-cli doc FILE.Fun: prints the document text of a ".Fun" file as the program would save it.
#include "cli/CliCommand.h"

#ifdef QUORVEL_HAVE_CODEC
#include "codec/FunFile.h"
#include "document/DocumentText.h"
#include "document/Messages.h"
#endif

#include <ostream>

namespace quorvel::cli {
namespace {

int runDoc(const std::vector<std::string>& args, CliIo& io) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        io.err << "usage: quorvel-cli doc FILE.Fun\n";
        return kExitUsage;
    }
#ifdef QUORVEL_HAVE_CODEC
    document::Document doc;
    doc.resetForOpen(800, 600);
    const document::ReadResult result = codec::readFunFile(args[0], doc);
    if (!result.ok) {
        io.err << result.refusalMessage() << "\n";
        if (!result.detail.empty())
            io.err << args[0] << ": "
                   << (result.errorLine > 0 ? "line " + std::to_string(result.errorLine) + ": " : "")
                   << result.detail << "\n";
        return kExitRefused;
    }
    io.out << document::writeDocumentText(doc);
    if (result.cut) io.err << document::kObjectsCutMessage << "\n";
    return kExitOk;
#else
    io.err << "quorvel-cli was built without the file codec; doc is not available\n";
    return kExitRefused;
#endif
}

const CommandRegistrar registerDoc("doc", "doc FILE.Fun                   document text of a .Fun file",
                                   runDoc);

} // namespace
} // namespace quorvel::cli
