// picture: an image file loaded as a node picture, with the sizes and the
// transparency colour the program finds, optionally written out losslessly.

#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>

#include <QImage>
#include <nlohmann/json.hpp>

#include "CliCommands.h"
#include "convert/DetectType.h"
#include "convert/NodePictureLoader.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtPixelCodec.h"

namespace plume::cli {

int RunPicture(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  namespace settings = platform::settings;
  std::string_view file, out;
  bool fit = false;
  platform::MemorySettingsStore store;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--fit" && i + 1 < args.size()) {
      int width = 0;
      const auto s = args[++i];
      const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), width);
      if (ec != std::errc() || end != s.data() + s.size() || width <= 0) {
        std::cerr << "plumeboard-tool: --fit needs a positive width\n";
        return 2;
      }
      settings::Set(store, settings::KanSet::ImageDefW, width);
      fit = true;
    } else if (args[i] == "--out" && i + 1 < args.size()) {
      out = args[++i];
    } else if (file.empty()) {
      file = args[i];
    } else {
      std::cerr << "plumeboard-tool: unexpected argument " << args[i] << "\n";
      return 2;
    }
  }
  if (file.empty()) return 2;

  // The loader reads the width and quality set above, so it is this command's own.
  convert::NodePictureLoader loader(codecs.pixels, store);
  convert::NodePictureSize size;
  document::ColorRef transColor = document::kNoColor;
  const std::filesystem::path path{std::string(file)};
  const auto picture = loader.LoadNodePicture(path, convert::DetectType(path.string()), fit, size, transColor);
  if (!picture) return 1;

  nlohmann::json j{{"pixelWidth", size.pixelWidth},     {"pixelHeight", size.pixelHeight},
                   {"displayWidth", size.displayWidth}, {"displayHeight", size.displayHeight},
                   {"transColor", transColor}};
  std::cout << j.dump() << "\n";
  if (!out.empty()) {
    const auto pixels = codecs.pixels.PicturePixels(*picture);
    if (!pixels || !platform::ToQImage(*pixels).save(QString::fromStdString(std::string(out)), "PNG")) {
      std::cerr << "plumeboard-tool: cannot write " << out << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace plume::cli
