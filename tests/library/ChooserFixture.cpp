// Image bases for the chooser and command dialog tests.
#include "ChooserFixture.h"

namespace testsupport {

ChooserBases::ChooserBases()
{
    const std::string t = folder_.Path();
    // Base A: categories listed out of alphabetical order, pictures out of order in their sections,
    // and two cats: "katt" names both the file katt and the file kisse.
    std::string animals = folder_.Write("djur.ini", IniText({
        "[ProgDir]", "Dir=" + AnimalsShortFolder(), "LongImageDir=" + AnimalsLongFolder(), "SoundDir=" + SoundFolder(),
        "Extension=bmp",
        "[Grupper]", "Antal=2", "1=Vilda", "2=Husdjur",
        "[Vilda]", "Antal=2", "Kod=1", "102=zebra,zebra", "101=björn,bjorn",
        "[Husdjur]", "Antal=3", "Kod=2", "203=hund,hund", "201=katt,katt", "202=katt,kisse"}));
    // Base B: no categories, its folder written with a closing backslash.
    std::string things = folder_.Write("saker.ini", IniText({
        "[ProgDir]", "Dir=" + ThingsFolder() + "\\", "Extension=bmp", "[Bilder]", "2=stol,stol", "1=bord,bordet"}));
    // Base C: the metafile base.
    folder_.Write("wmf\\vireda.ini", IniText({"[ProgDir]", "Dir=" + t + "\\wmf", "Extension=bmp", "[Bilder]", "7=öga"}));
    settings_ = folder_.Write("imgbase.test.ini", IniText({
        "[ImageBases]", "Default=B", "A=" + animals + ",Djur,1,2,0", "B=" + things + ",Saker",
        "C=" + ViredaIni() + ",Symboler,0,2,0", "Ö=" + folder_ / "ovrigt.ini" + ",Övrigt"}));

    const COLORREF red = RGB(200, 0, 0);
    ::CreateDirectoryA(AnimalsLongFolder().c_str(), nullptr);
    for (const char* name : {"zebra", "bjorn", "hund", "katt", "kisse"})
        WriteBmp(AnimalsLongFolder() + "\\" + name + ".bmp", 8, 8, red);
    ::CreateDirectoryA(AnimalsShortFolder().c_str(), nullptr);
    WriteBmp(AnimalsShortFolder() + "\\hund.bmp", 8, 8, red);
    ::CreateDirectoryA(ThingsFolder().c_str(), nullptr);
    WriteBmp(ThingsFolder() + "\\stol.bmp", 8, 8, RGB(0, 0, 200));
    WriteBmp(ThingsFolder() + "\\bordet.bmp", 8, 8, RGB(0, 0, 200));
    folder_.Write("ljud\\kisse.wav", "RIFF");
    folder_.Write("ljud\\hund.wav", "RIFF");
}

} // namespace testsupport
