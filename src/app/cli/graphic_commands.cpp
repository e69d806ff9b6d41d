// kovrel-cli commands of the graphic view: render (the figure as the view's
// Home shows it, as PNG or SVG), figure-to-gcode (the outline G-code of a
// figure with layer widths), and the figure edits mirror, move and scale
// (the document rewritten as the view's edit menu rewrites it).
#include "app/cli/cli_command.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "graphic/figure.h"
#include "graphic/figure_edits.h"
#include "graphic/svg_canvas.h"
#include "graphic/view.h"

namespace kovrel::cli {
namespace {

// "WxH" of --size.
void ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  width = x == std::string::npos ? 0 : static_cast<int>(ReadNumber(std::string_view(text).substr(0, x)));
  height = x == std::string::npos ? 0 : static_cast<int>(ReadNumber(std::string_view(text).substr(x + 1)));
  if (width < 16 || height < 16 || width > 20000 || height > 20000) {
    throw UsageError{"--size は 16x16 から 20000x20000 の WxH です: " + text};
  }
}

FigureTables LoadedFigure(std::string_view input) {
  FigureTables figure;
  if (LoadFigure(figure, input) == FigureLoad::kMixed) FailWithText(FailureKind::kInvalidValue, std::string(kMixedFigureMessage));
  return figure;
}

// Layer widths "NAME=W,NAME=W".
std::vector<std::pair<std::string, float>> ParseWidths(std::string_view widths) {
  std::vector<std::pair<std::string, float>> parsed;
  while (!widths.empty()) {
    const std::size_t comma = widths.find(',');
    const std::string_view pair = widths.substr(0, comma);
    widths = comma == std::string_view::npos ? std::string_view() : widths.substr(comma + 1);
    const std::size_t equals = pair.rfind('=');
    if (equals == std::string_view::npos) throw UsageError{"--widths は 名前=幅 をカンマで区切ります"};
    parsed.emplace_back(std::string(pair.substr(0, equals)), ToSingle(ReadNumber(pair.substr(equals + 1))));
  }
  return parsed;
}

void ApplyWidths(FigureTables& figure, const std::vector<std::pair<std::string, float>>& widths) {
  for (const auto& [name, width] : widths) {
    for (int k = 0; k < kLayerCount; ++k) {
      if (figure.LayerNames[static_cast<std::size_t>(k)] == name) figure.LayerWidth[static_cast<std::size_t>(k)] = width;
    }
  }
}

// A number option of an edit; `message` when it is no number.
float EditNumber(const Options& options, std::string_view option, std::string_view message) {
  const std::optional<float> value = ReadEditNumber(options.Get(option));
  if (!value) throw UsageError{std::string(option) + ": " + std::string(message) + ": " + options.Get(option)};
  return *value;
}

// The document rewritten by `edit`; a text that is neither drill data nor
// G-code has nothing to edit.
CliCommand EditCommand(std::string name, std::string summary, std::vector<OptionSpec> options,
                       std::function<FigureEdit(const Options&)> edit_of) {
  CliCommand command;
  command.name = std::move(name);
  command.summary = std::move(summary);
  command.options = std::move(options);
  // The edit reads the document once for its kind and once to rewrite it,
  // writing each line as it goes; the figure tables are not built.
  command.streamed = [edit_of = std::move(edit_of)](const Options& options) -> StreamedConversion {
    return [edit = edit_of(options)](std::string_view input, TextOutput& out) {
      FigureKind kind = FigureKind::kNone;
      bool numbers_fit = false;
      if (DocumentKind(input, kind, &numbers_fit) == FigureLoad::kMixed) {
        FailWithText(FailureKind::kInvalidValue, std::string(kMixedFigureMessage));
      }
      if (kind == FigureKind::kNone) return ConversionResult::NothingToConvert();
      EditDocument(input, edit, kind, out, numbers_fit);
      return ConversionResult();
    };
  };
  return command;
}

}  // namespace

std::vector<CliCommand> GraphicCommands() {
  std::vector<CliCommand> commands;

  CliCommand render;
  render.name = "render";
  render.summary = "G コードまたは穴データの図形を、グラフィックの Home と同じに PNG か SVG で描きます";
  render.options = {
      {"--png", "FILE", "", false, "PNG で書くファイル"},
      {"--svg", "FILE", "", false, "SVG で書くファイル"},
      {"--size", "WxH", "1024x768", false, "絵の大きさ（ピクセル）"},
      {"--g00", "", "", false, "移動ライン(G00)を一点鎖線で描く"},
  };
  render.check = [](const Options& options) -> std::string {
    if (options.Has("--png") == options.Has("--svg")) return "--png か --svg のどちらか一つを指定してください";
    return {};
  };
  render.run_effect = [](const Options& options, std::string_view input) {
    int width, height;
    ParseSize(options.Get("--size"), width, height);
    const FigureTables figure = LoadedFigure(input);
    ViewBox box;
    Home(figure, box);
    DrawOptions draw;
    draw.g00_lines = options.Has("--g00");
    PickTable picks;
    if (options.Has("--svg")) {
      SvgCanvas canvas(width, height);
      GrSub(figure, box, draw, canvas, picks);
      WriteFileAtomic(options.Get("--svg"), canvas.Document());
    } else {
      const std::string path = options.Get("--png");
      if (!WritePng(figure, box, draw, width, height, path)) Fail(FailureKind::kPermissionDenied, path);
    }
    return std::to_string(figure.HolePoints.size()) + " 穴, " + std::to_string(figure.FigElems.size()) + " 要素";
  };
  commands.push_back(std::move(render));

  CliCommand outline;
  outline.name = "figure-to-gcode";
  outline.summary = "G コードの図形を、線幅のある層を外形にして G コードに書き戻します";
  outline.options = {{"--widths", "W", "", false, "層の線幅: 名前=幅 をカンマで区切る（例 D10=0.5,D11=1.2）"}};
  outline.streamed = [](const Options& options) -> StreamedConversion {
    return [widths = ParseWidths(options.Get("--widths"))](std::string_view input, TextOutput& out) {
      FigureTables figure = LoadedFigure(input);
      ApplyWidths(figure, widths);
      PictureGcode(figure, out);
      return ConversionResult();
    };
  };
  commands.push_back(std::move(outline));

  commands.push_back(EditCommand(
      "mirror", "G コードまたは穴データを X ミラー、Y ミラー、軸交換します（数値だけをその場で書き換えます）",
      {{"--axis", "A", "", true, "x（Xミラー）, y（Yミラー）, swap（軸交換）"}},
      [](const Options& options) { return FigureEdit::Mirror(Choose(options, "--axis", kMirrorAxes)); }));
  commands.push_back(EditCommand(
      "move", "G コードまたは穴データの X と Y に移動量を足します（数値だけをその場で書き換えます）",
      {{"--dx", "D", "0", false, "X の移動量"}, {"--dy", "D", "0", false, "Y の移動量"}},
      [](const Options& options) {
        return FigureEdit::Move(EditNumber(options, "--dx", kMoveOffsetMessage),
                                EditNumber(options, "--dy", kMoveOffsetMessage));
      }));
  commands.push_back(EditCommand(
      "scale", "G コードまたは穴データの X, Y, I, J（円弧の R も）に倍率を掛けます（数値だけをその場で書き換えます）",
      {{"--factor", "F", "", true, "倍率"}},
      [](const Options& options) { return FigureEdit::Scale(EditNumber(options, "--factor", kScaleFactorMessage)); }));
  return commands;
}

}  // namespace kovrel::cli
