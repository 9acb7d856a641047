#include "capture/MaterialRegistration.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "capture/HtmlAreaPort.h"
#include "capture/RegistrationHost.h"
#include "store/InfoFile.h"
#include "store/MaterialStore.h"
#include "store/Sha256.h"

namespace plume::capture {

namespace fs = std::filesystem;

namespace {

std::string NowText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y.%m.%d %H:%M", &local);
  return text;
}

std::string FileSizeText(const fs::path& file) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  return ec ? std::string("0") : std::to_string(size);
}

/// The display size of a picture shrunk, keeping its shape, to fit a page of
/// `pageWidth` x `pageHeight`: the node then stays where it was asked to go.
void FitDisplayInto(document::NodePicture& picture, int pageWidth, int pageHeight) {
  const int w = picture.displayWidth;
  const int h = picture.displayHeight;
  if (w <= 0 || h <= 0 || pageWidth <= 0 || pageHeight <= 0 || (w <= pageWidth && h <= pageHeight)) return;
  const double scale = std::min(static_cast<double>(pageWidth) / w, static_cast<double>(pageHeight) / h);
  picture.displayWidth = std::max(1, static_cast<int>(w * scale));
  picture.displayHeight = std::max(1, static_cast<int>(h * scale));
}

}  // namespace

MaterialRegistration::MaterialRegistration(const RegistrationPorts& ports, store::Serial serial)
    : ports_(&ports), serial_(serial), serialText_(store::FormatSerial(serial)) {}

std::optional<MaterialRegistration> MaterialRegistration::Reserve(const RegistrationPorts& ports) {
  const auto serial = ports.store.ReserveSerial();
  if (!serial) return std::nullopt;
  return MaterialRegistration(ports, *serial);
}

bool MaterialRegistration::Store(std::string_view typeWord, const fs::path& source) {
  if (!ports_->store.StoreMaterialFile(typeWord, source, serialText_)) return false;
  if (const auto location = ports_->store.MaterialLocation(typeWord, serial_)) written_.push_back(location->File());
  return true;
}

bool MaterialRegistration::StoreMaterial(std::string_view typeWord, const fs::path& file, MaterialRecord& record) {
  return Store(typeWord, file) && Describe(typeWord, file, record);
}

bool MaterialRegistration::Describe(std::string_view typeWord, const fs::path& file, MaterialRecord& record) const {
  record.type = std::string(typeWord);
  record.size = FileSizeText(file);
  record.sha256 = store::FileSha256(file);
  if (typeWord == "PDF") return true;
  record.picture = ports_->pictures.LoadNodePicture(file, typeWord, true);
  if (!record.picture) return false;
  record.width = record.picture->pixelWidth;
  record.height = record.picture->pixelHeight;
  return true;
}

void MaterialRegistration::Abandon() {
  std::error_code ec;
  for (const fs::path& file : written_) fs::remove(file, ec);
  written_.clear();
}

bool MaterialRegistration::Fail() {
  Abandon();
  return false;
}

bool MaterialRegistration::Register(MaterialRecord record) {
  store::MaterialInfo info;
  info.ext = record.type;
  info.width = std::to_string(record.width);
  info.height = std::to_string(record.height);
  info.size = record.size;
  info.sha256 = record.sha256;
  // A flow that names its material (a dropped file, a link) records that name.
  info.title = record.title.empty() ? ports_->html.PageTitle() : record.title;
  info.getFrom = record.getFrom.empty() ? ports_->html.PageAddress() : record.getFrom;
  info.createDate = NowText();
  store::InfoFile infoFile(ports_->store);
  if (!infoFile.WriteInfo(serialText_, info, ports_->host.DocumentPath())) return Fail();
  if (const auto root = ports_->store.Root()) {
    written_.push_back(store::MaterialStore::InfoFileIn(*root, serialText_));
  }

  document::NodeRequest node;
  node.dataType = record.type;
  node.serial = static_cast<std::int32_t>(serial_);
  node.title = record.title.empty() ? ports_->html.PageTitle() : record.title;
  if (record.picture) {
    const document::PageRecord& page = ports_->host.Chart().CurrentPage();
    FitDisplayInto(*record.picture, page.pageWidth, page.pageHeight);
    node.hasImage = true;
    node.picture = std::move(record.picture->picture);
    node.pictureWidth = record.picture->displayWidth;
    node.pictureHeight = record.picture->displayHeight;
    node.transColor = record.picture->transColor;
  }
  node.x = record.at.x;
  node.y = record.at.y;
  if (!ports_->host.Chart().AddNode(std::move(node))) return Fail();
  ports_->host.NodeAdded();
  ports_->store.CommitSerial(serial_);
  return true;
}

}  // namespace plume::capture
