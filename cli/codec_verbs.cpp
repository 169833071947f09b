// `mirvo pack IN OUT` and `mirvo unpack IN OUT`: the quiz codec on files.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "cli/verbs.h"
#include "quiz/lzw_codec.h"

namespace mirvo::cli {
namespace {

struct CodecOptions {
  std::string input;
  std::string output;
};

using Codec = std::int32_t (*)(std::span<const std::uint8_t>, std::vector<std::uint8_t>&);

[[noreturn]] void fail(const char* verb, const std::string& message) {
  std::cerr << "mirvo " << verb << ": " << message << '\n';
  throw CLI::RuntimeError(1);
}

void runCodec(const char* verb, Codec codec, const CodecOptions& options) {
  std::ifstream in(options.input, std::ios::binary);
  if (!in) fail(verb, "cannot open " + options.input);
  const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) fail(verb, "cannot read " + options.input);

  std::vector<std::uint8_t> output;
  const std::int32_t result = codec(input, output);
  // Nothing is written on failure: a half-unpacked file is of no use.
  if (result != lzw::kOk) fail(verb, std::string(lzw::resultMessage(result)) + " for " + options.input);

  std::ofstream out(options.output, std::ios::binary | std::ios::trunc);
  if (!out) fail(verb, "cannot create " + options.output);
  out.write(reinterpret_cast<const char*>(output.data()), static_cast<std::streamsize>(output.size()));
  out.close();
  if (!out) fail(verb, "cannot write " + options.output);
}

void addCodecVerb(CLI::App& app, const char* verb, const char* description, Codec codec) {
  auto options = std::make_shared<CodecOptions>();
  CLI::App* sub = app.add_subcommand(verb, description);
  sub->add_option("IN", options->input, "file to read")->required();
  sub->add_option("OUT", options->output, "file to write (replaced)")->required();
  sub->callback([verb, codec, options] { runCodec(verb, codec, *options); });
}

}  // namespace

void addCodecVerbs(CLI::App& app) {
  addCodecVerb(app, "pack", "Pack IN (at most 65535 bytes) into the quiz resource format, written to OUT",
               [](std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) { return lzw::pack(in, out); });
  addCodecVerb(app, "unpack", "Unpack IN, a stream in the quiz resource format, into OUT",
               [](std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) { return lzw::unpack(in, out); });
}

}  // namespace mirvo::cli
