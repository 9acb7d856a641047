// plumeboard-tool: look at, convert and make Plumeboard files from the command line.

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "CliCommands.h"
#include "platform/Messages.h"
#include "platform/qt/QtPictureCodec.h"
#include "platform/qt/QtPixelCodec.h"

namespace {

using namespace plume::cli;
using plume::platform::MessageRequest;
using plume::platform::MsgResult;

constexpr CliCommand kCommands[] = {
    {"dump", "FILE            print a chart data file as JSON", 1, 1, RunDump},
    {"rewrite", "IN OUT       read a chart data file and write it back as version 2", 2, 2, RunRewrite},
    {"demo", "OUT             write a demo chart data file", 1, 1, RunDemo},
    {"pack", "IN OUT.pbd       pack a chart data file into a document file", 2, 2, RunPack},
    {"unpack", "IN.pbd DIR     unpack a document file's chart data file into DIR", 2, 2, RunUnpack},
    {"render", "FILE [--page N] [--zoom PERCENT] [--select all|ID,...] [--viewport WxH+X+Y] OUT.png  paint a page",
     2, 10, RunRender},
    {"jpg2pdf", "IN OUT        write a JPEG file as a one-page PDF", 2, 2, RunJpg2Pdf},
    {"txt2pdf", "IN OUT --width W  write a CP932 text file as PDF pages W points wide", 4, 4, RunTxt2Pdf},
    {"store", "list|info|hash|check|search ...  read and search the material store (store help for more)", 1, 13,
     RunStore},
    {"export-pdf", "DOC OUT.pdf [--page N | --all]  write chart pages as one PDF file", 2, 4, RunExportPdf},
    {"export-image", "DOC OUT.jpeg [--zoom PERCENT]  write a chart page as a JPEG image", 2, 4, RunExportImage},
    {"picture", "FILE [--fit N] [--out OUT.png]  load an image as a node picture; print its sizes and key colour",
     1, 5, RunPicture},
    {"capture",
     "ADDRESS OUT.jpg [--visible] [--window WxH] [--image-width N] [--quality Q] [--text OUT.txt]"
     " [--webEngineArgs ...]  capture a web page (and the text the text area receives)",
     2, 11, RunCapture},
    {"register", "DOC.pbd SOURCE [--store STORE] [--page N] [--at X,Y]  register a file or a web link", 2, 8,
     RunRegister},
    {"url", "TEXT            what a dropped link would register, as JSON", 1, 1, RunUrl},
    {"print",
     "DOC OUT.pdf [--page N] [--paper CODE] [--orientation 1|2] [--margins L,R,T,B] [--all-one]"
     " [--range all|current|A-B] [--sheet N]  print a chart page into a PDF, one page per sheet",
     2, 16, RunPrint},
    {"export-word", "IN.pdf OUT.odt [--text-only]  write the text of a PDF as an ODF text document", 2, 3,
     RunExportWord},
    {"thumbnail", "IN.pbd OUT.png SIZE  page 1 fitted into SIZE x SIZE pixels as a PNG preview", 3, 3,
     RunThumbnail},
    {"page-text", "ADDRESS [--webEngineArgs ...]  print the text the text area receives for a page or PDF", 1, 1, RunPageText},
};

// Messages go to standard error; questions are answered "no" so a script
// never gets a destructive default.
class StderrSink : public plume::platform::MessageSink {
 public:
  MsgResult Show(const MessageRequest& m) override {
    std::cerr << "plumeboard-tool: " << m.FullText() << "\n";
    return m.buttons == plume::platform::MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  }
};

constexpr std::string_view kEngineArgs = "--webEngineArgs";

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const CliCommand& c : kCommands) out << "  plumeboard-tool " << c.name << " " << c.usage << "\n";
  out << "\ncapture and page-text run the web engine; its own options follow " << kEngineArgs
      << " at the end of the line,\nas for the program (as root: " << kEngineArgs << " --no-sandbox).\n";
}

int Usage() {
  PrintUsage(std::cerr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  if (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  // Picture codecs and fonts need a GUI application object, not a display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The web engine (capture, page-text) wants shared contexts and a widget application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  StderrSink sink;
  plume::platform::ScopedMessageSink guard(&sink);
  const plume::platform::QtPictureCodec pictureCodec;
  const plume::platform::QtPixelCodec pixelCodec;
  const ToolCodecs codecs{pictureCodec, pixelCodec};

  const std::string_view name = argv[1];
  // The web engine reads what follows --webEngineArgs from the application's
  // arguments itself; the commands never see it.
  std::vector<std::string_view> args(argv + 2, argv + argc);
  args.erase(std::find(args.begin(), args.end(), kEngineArgs), args.end());
  for (const CliCommand& c : kCommands) {
    if (c.name != name) continue;
    if (static_cast<int>(args.size()) < c.minArgs || static_cast<int>(args.size()) > c.maxArgs) return Usage();
    const int status = c.run(args, codecs);
    // Output that never arrived (a full disk, a closed pipe) is a failure, not a success.
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::cerr << "plumeboard-tool: cannot write the standard output\n";
      return status == 0 ? 1 : status;
    }
    return status;
  }
  return Usage();
}
