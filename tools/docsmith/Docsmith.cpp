// libdocsmith.so: opens, joins and annotates PDF files on libqpdf behind the
// C exports the program loads with dlopen (the four of the helper's interface
// and CombinePDFList, which joins any number of files in one pass). Nothing escapes as an
// exception; every failure is a null handle or a 0 result.

#include <fcntl.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "InfoText.h"
#include "convert/DocsmithApi.h"

#define DOCSMITH_EXPORT extern "C" __attribute__((visibility("default")))

namespace plume::docsmith {
namespace {

// What a handle points to.
struct Document {
  QPDF pdf;
};

Document* FromHandle(DocsmithHandle handle) { return static_cast<Document*>(handle); }

// Writes `pdf` to a new file beside `outPath` and renames it over `outPath`,
// so a failed write leaves what was there and a reader of `outPath` (even one
// of the inputs) never sees a half-written file.
bool WriteReplacing(QPDF& pdf, const char* outPath) {
  static std::atomic<unsigned> counter{0};
  const std::string target = outPath;
  const std::string temp = target + ".docsmith-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  bool ok = false;
  try {
    QPDFWriter writer(pdf);
    writer.setOutputFile(temp.c_str(), file, false);
    writer.setDeterministicID(true);
    writer.write();
    ok = true;
  } catch (...) {
    ok = false;
  }
  if (std::fflush(file) != 0 || std::ferror(file)) ok = false;
  if (ok && ::fsync(fileno(file)) != 0) ok = false;
  if (std::fclose(file) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

void SetText(QPDFObjectHandle& info, const char* key, const char* cp932) {
  if (!cp932 || !*cp932) return;
  info.replaceKey(key, QPDFObjectHandle::newString(PdfTextString(cp932)));
}

void SetDate(QPDFObjectHandle& info, const char* key, const char* localTime) {
  if (!localTime || !*localTime) return;
  const std::optional<std::string> date = PdfDate(localTime);
  // A date the library cannot read is kept as the text it is.
  info.replaceKey(key, QPDFObjectHandle::newString(date ? *date : PdfTextString(localTime)));
}

void SetInfo(QPDF& pdf, const DocsmithInfo& record) {
  QPDFObjectHandle trailer = pdf.getTrailer();
  QPDFObjectHandle info = trailer.getKey("/Info");
  if (!info.isDictionary()) {
    info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    trailer.replaceKey("/Info", info);
  }
  SetText(info, "/Title", record.title);
  SetText(info, "/Subject", record.subject);
  SetText(info, "/Author", record.author);
  SetText(info, "/Keywords", record.keywords);
  SetText(info, "/Creator", record.creator);
  SetText(info, "/Producer", record.producer);
  SetDate(info, "/CreationDate", record.creationDate);
  SetDate(info, "/ModDate", record.modDate);
}

}  // namespace
}  // namespace plume::docsmith

using plume::docsmith::Document;
using plume::docsmith::FromHandle;

DOCSMITH_EXPORT DocsmithHandle LoadPDF(const char* path) {
  if (!path) return nullptr;
  try {
    auto document = std::make_unique<Document>();
    document->pdf.setSuppressWarnings(true);
    document->pdf.processFile(path);
    // Pages must carry their own resources before they are copied elsewhere.
    QPDFPageDocumentHelper(document->pdf).pushInheritedAttributesToPage();
    return document.release();
  } catch (...) {
    return nullptr;
  }
}

DOCSMITH_EXPORT void FreePDF(DocsmithHandle handle) { delete FromHandle(handle); }

DOCSMITH_EXPORT int CombinePDF(DocsmithHandle first, DocsmithHandle second, const char* outPath) {
  if (!first || !second || !outPath) return 0;
  try {
    QPDF joined;
    joined.setSuppressWarnings(true);
    joined.emptyPDF();
    QPDFPageDocumentHelper pages(joined);
    for (Document* source : {FromHandle(first), FromHandle(second)}) {
      for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(source->pdf).getAllPages()) pages.addPage(page, false);
    }
    return plume::docsmith::WriteReplacing(joined, outPath) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

DOCSMITH_EXPORT int WritePDFInfo(DocsmithHandle handle, const DocsmithInfo* record, const char* outPath) {
  if (!handle || !record || !outPath) return 0;
  try {
    QPDF& pdf = FromHandle(handle)->pdf;
    plume::docsmith::SetInfo(pdf, *record);
    return plume::docsmith::WriteReplacing(pdf, outPath) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

DOCSMITH_EXPORT int CombinePDFList(const char* const* paths, int count, const DocsmithInfo* record,
                                   const char* outPath) {
  if (!paths || count < 1 || !outPath) return 0;
  try {
    // The sources stay open until the joined file is written: its pages refer to them.
    std::vector<std::unique_ptr<Document>> sources;
    QPDF joined;
    joined.setSuppressWarnings(true);
    joined.emptyPDF();
    QPDFPageDocumentHelper pages(joined);
    for (int i = 0; i < count; ++i) {
      std::unique_ptr<Document> source(static_cast<Document*>(LoadPDF(paths[i])));
      if (!source) return 0;
      for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(source->pdf).getAllPages()) pages.addPage(page, false);
      sources.push_back(std::move(source));
    }
    if (record) plume::docsmith::SetInfo(joined, *record);
    return plume::docsmith::WriteReplacing(joined, outPath) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
