// Any bytes as a program file of each program, loaded from the list: the
// table holds the file's bytes (zeros past a short file's end, a long file's
// tail unread), the fields show the first step or program, and saving
// writes back what was loaded.
#include <fstream>

#include "absent_port.h"
#include "base/number.h"
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
    void write(const std::string& name, const std::uint8_t* data, std::size_t size) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Image read(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// Chooses the file in the list and loads it, then saves it as "saved".
template <class Form>
Image loadAndSave(Programs& p, Form& form, const std::string& file, const std::string& saved) {
    form.File1.refresh();
    const auto& files = form.File1.files();
    form.File1.select(
        static_cast<int>(std::find(files.begin(), files.end(), file) - files.begin()));
    form.Command1.click();
    form.Text2.setText("saved");
    form.Command2.click();
    return p.read(saved);
}

Image padded(const std::uint8_t* data, std::size_t size, std::size_t length) {
    Image image(data, data + std::min(size, length));
    image.resize(length, 0);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Programs p;
    p.write("fuzz.qdf", data, size);
    p.write("fuzz.sav", data, size);

    const Image qdf = padded(data, size, plexa::kProgramFileBytes);
    fuzz::check(loadAndSave(p, p.plexa, "fuzz.qdf", "saved.qdf") == qdf,
                "Plexa saves what it loaded");
    fuzz::check(p.plexa.Text1[1].text() == base::numberText(qdf[2] + 256 * qdf[3]),
                "Plexa shows the program header");

    // Showing a program cuts a time's high byte above 39 in the table.
    Image sav = padded(data, size, corvel::ProgramTable::kFileBytes);
    sav[2] = std::min<std::uint8_t>(sav[2], 39);
    sav[4] = std::min<std::uint8_t>(sav[4], 39);
    fuzz::check(loadAndSave(p, p.corvel, "fuzz.sav", "saved.sav") == sav,
                "Corvel saves what it loaded");
    const auto& f = p.corvel.Text1;
    fuzz::check(f[1].text() == base::numberText(sav[1] + 256 * sav[2]),
                "Corvel shows the interval");
    for (std::size_t i = 3; i < 18; ++i)
        fuzz::check(f[i].text() == base::numberText(sav[i + 2]), "Corvel shows the first program");
    return 0;
}
