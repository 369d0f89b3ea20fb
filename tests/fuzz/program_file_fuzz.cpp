// Any bytes as a program file of each program, loaded by its name: the
// table holds the file's bytes (zeros past a short file's end, a long file's
// tail unread), and saving writes back what was loaded.
#include <fstream>

#include "absent_port.h"
#include "corvel/form.h"
#include "fuzz_input.h"
#include "plexa/form.h"
#include "plexa/program_file.h"
#include "temp_dir.h"

namespace {

using Image = std::vector<std::uint8_t>;

struct Programs {
    test::TempDir temp;
    std::filesystem::path dir = temp.path() / "dovra";
    ui::ManualClock clock;
    test::AbsentPort port;
    plexa::Form1 plexa{{dir, clock, port, {}}};
    corvel::Form1 corvel{{dir, clock, port, {}}};

    Programs() {
        plexa.load();
        corvel.load();
        plexa.timers.advance(clock, 1000);  // edits count from here on
        corvel.timers.advance(clock, 1000);
    }
};

// Writes the bytes as the file fuzz<ext>, names it and loads it, then saves
// it as saved<ext> and gives what was saved.
template <class Form>
Image loadAndSave(Form& form, const std::filesystem::path& dir, const std::string& ext,
                  const std::uint8_t* data, std::size_t size) {
    std::ofstream(dir / ("fuzz" + ext), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    form.Text2.setText("fuzz");
    form.Command1.click();
    form.Text2.setText("saved");
    form.Command2.click();
    std::ifstream in(dir / ("saved" + ext), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Image padded(const std::uint8_t* data, std::size_t size, std::size_t length) {
    Image image(data, data + std::min(size, length));
    image.resize(length, 0);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Programs p;

    const Image qdf = padded(data, size, plexa::kProgramFileBytes);
    fuzz::check(loadAndSave(p.plexa, p.dir, ".qdf", data, size) == qdf,
                "Plexa saves what it loaded");

    // Showing a program cuts a time's high byte above 39 in the table.
    Image sav = padded(data, size, corvel::ProgramTable::kFileBytes);
    sav[2] = std::min<std::uint8_t>(sav[2], 39);
    sav[4] = std::min<std::uint8_t>(sav[4], 39);
    fuzz::check(loadAndSave(p.corvel, p.dir, ".sav", data, size) == sav,
                "Corvel saves what it loaded");
    return 0;
}
