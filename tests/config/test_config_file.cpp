// Configuration files: defaults, round trips, older files and bad files.
#include <unistd.h>

#include <clocale>

#include "config/config_file.h"
#include "config/device_id.h"
#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/zyr_d_data.h"
#include "config/zyr_dm_data.h"
#include "config_fixture.h"

using namespace trivex;

namespace {

std::string Saved(const TZyrData& d) {
  IniWriter w;
  d.WriteFile(w);
  return w.Text();
}

// A ZYR-D system of three relays with values that differ from the defaults.
void FillZyrD(TZyrDData& d) {
  d.SetDeviceList({"A:", "B:", "C:"});
  d.master_id = 11;
  d.ZyrUearth = 25.5;
  d.harmonics[harm::Zyr5Imin] = 0.25;
  d.harmonics[harm::Zyr5Msg] = mrForward;
  d.transients[trans::ZyrTRotM] = 57.74;
  d.cur_red[5] = 12.5;
  d.qui[qui::ZyrIVmin] = 17.25;
  d.watt_imin[9] = 2.5;
  d.loc_signals[1].trans = wrVorwaerts;
  d.defined_signals = 2;
  d.devices[1].name = "Feld 7";
  d.devices[1].com2.baud = cb19200;
  d.devices[2].tynet_r.terminated = true;
  d.config_ids[2] = 0xDEADBEEF;
  d.relays[1][6] = TOutput{bafMaster, true, mfWattmetrVor, 7};
  d.switches = {"SS1 A: 1", "", "ABG1 B: 2"};
  d.last_read = DateTime::FromCivil(2026, 3, 29, 2, 30, 5);
  d.last_read_version = 1430;
}

}  // namespace

class ConfigFile : public TempDir {};

TEST_F(ConfigFile, DefaultsOfBothFamilies) {
  TZyrDData d;
  EXPECT_EQ(d.DeviceCount(), 0);
  EXPECT_EQ(d.devices[2].id, 21);
  EXPECT_DOUBLE_EQ(d.harmonics[harm::Zyr5XFreq], 217.5);
  EXPECT_TRUE(d.harmonics.B(harm::Zyr5Use5th));
  EXPECT_FALSE(d.harmonics.B(harm::Zyr5Use3rd));
  EXPECT_EQ(d.transients.I(trans::ZyrTXLog), welAlways);
  EXPECT_EQ(d.relays[2][3], (TOutput{bafMaster, false, mfOrtung1, 11}));
  EXPECT_EQ(d.leds[1][5], (TOutput{bafMaster, false, mfOrtung2, 6}));
  EXPECT_EQ(d.binary_input_names.back(), "BinIn 16");
  EXPECT_EQ(d.virtual_input_names.size(), 256u);
  EXPECT_EQ(d.CaptionText(), "(Standardwerte)");

  TZyrDmData m;
  EXPECT_DOUBLE_EQ(m.ZyrUearth, 30);
  EXPECT_EQ(m.DeviceCount(), 1);
  EXPECT_EQ(m.general.I(dmgen::ZyrMGateMode), ceOred);
  EXPECT_EQ(m.dsp[2], dspSlaveI);
  EXPECT_EQ(m.dsp[3], dspNone);
  EXPECT_EQ(m.leds[0][1].fu, dbafStoerung);
  EXPECT_DOUBLE_EQ(m.WattChannel(1, 3)[dmwch::ZyrWAngle2], 255);
}

TEST_F(ConfigFile, SaveLoadSaveIsByteIdenticalForBothFamilies) {
  TZyrDData d;
  FillZyrD(d);
  TZyrDmData m;
  m.bio[1] = bio4_7;
  m.bio[0] = bio16_0;
  m.BuildInputNames();
  m.WattChannel(0, 2)[dmwch::ZyrWImin] = 0.7;
  m.relays[1][4] = TOutput{dbafCoupling, true, dmfDifVor, 3};
  m.general[dmgen::ZyrMCoupleBI] = 5;
  m.switches = {"LINE Ü"};
  for (TZyrData* c : {static_cast<TZyrData*>(&d), static_cast<TZyrData*>(&m)}) {
    c->file_path = Path(c == &d ? "d.ini" : "m.ini");
    ASSERT_TRUE(c->Save());
    const std::string first = Read(c->file_path);
    auto back = LoadConfigFile(c->file_path);
    back->file_path = Path("again.ini");
    ASSERT_TRUE(back->Save());
    EXPECT_EQ(Read(back->file_path), first);
    EXPECT_NE(first.find("\r\n"), std::string::npos);
  }
  auto back = LoadConfigFile(Path("d.ini"));
  auto& bd = dynamic_cast<TZyrDData&>(*back);
  EXPECT_EQ(bd.devices[1].name, "Feld 7");
  EXPECT_EQ(bd.relays[1][6], (TOutput{bafMaster, true, mfWattmetrVor, 7}));
  EXPECT_DOUBLE_EQ(bd.transients[trans::ZyrTRotM], 57.74);
  EXPECT_EQ(bd.config_ids[2], 0xDEADBEEFu);
  EXPECT_EQ(bd.switches, (std::vector<std::string>{"SS1 A: 1", "", "ABG1 B: 2"}));
  EXPECT_EQ(bd.display_name, "d");
  EXPECT_TRUE(bd.tracker.Saved());
  // Windows-1252 on disk.
  EXPECT_NE(Read(Path("m.ini")).find("L001=\"LINE \xDC\""), std::string::npos);
}

TEST_F(ConfigFile, NumbersAreWrittenWithAPointUnderAGermanLocaleAndReadWithEither) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale";
  TZyrDData d;
  d.harmonics[harm::Zyr5Imin] = 0.4;
  d.file_path = Path("de.ini");
  ASSERT_TRUE(d.Save());
  const std::string text = Read(d.file_path);
  EXPECT_NE(text.find("Zyr5Imin=0.4\r\n"), std::string::npos);
  std::string comma = text;
  comma.replace(comma.find("Zyr5Imin=0.4"), 12, "Zyr5Imin=0,4");
  Write("comma.ini", comma);
  auto back = LoadConfigFile(Path("comma.ini"));
  EXPECT_DOUBLE_EQ(dynamic_cast<TZyrDData&>(*back).harmonics[harm::Zyr5Imin], 0.4);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(ConfigFile, OlderFilesFollowTheCompatibilityRules) {
  // No ZyrUearth: the harmonics threshold stands in; neither: 30.
  Write("a.ini", Lines({"[General]", "SystemType=stZYRD", "[Harmonics]", "Zyr5Vearth=25",
                        "[Switches]", "Lines=3", "L001=\"one\"", "L003='three'"}));
  auto a = LoadConfigFile(Path("a.ini"));
  EXPECT_DOUBLE_EQ(a->ZyrUearth, 25);
  EXPECT_EQ(a->switches, (std::vector<std::string>{"one", "", "three"}));
  Write("b.ini", Lines({"[General]"}));
  auto b = LoadConfigFile(Path("b.ini"));
  EXPECT_DOUBLE_EQ(b->ZyrUearth, 30);
  EXPECT_TRUE(dynamic_cast<TZyrDData&>(*b).missing_rot_m);
  // Never read from a device: version 1.0.00 and no date line.
  const std::string text = Saved(*b);
  EXPECT_NE(text.find("LastReadVersion=1.0.00\r\n"), std::string::npos);
  EXPECT_EQ(text.find("LastReadDateTime"), std::string::npos);

  // Sixteen inputs per relay in older wattmetric keys; ZyrWAllEqual copies input 1.
  Write("w.ini", Lines({"[Wattmetric]", "ZyrWActive=TRUE", "ZyrWImin244=1", "ZyrWImin18=4.5", "ZyrWImin6=9"}));
  EXPECT_DOUBLE_EQ(dynamic_cast<TZyrDData&>(*LoadConfigFile(Path("w.ini"))).watt_imin[5], 4.5);
  Write("w2.ini", Lines({"[Wattmetric]", "ZyrWActive=TRUE", "ZyrWImin18=4.5", "ZyrWImin6=9"}));
  EXPECT_DOUBLE_EQ(dynamic_cast<TZyrDData&>(*LoadConfigFile(Path("w2.ini"))).watt_imin[5], 9);
  Write("w3.ini", Lines({"[Wattmetric]", "ZyrWAllEqual=1", "ZyrWImin1=2.5", "ZyrWImin7=8"}));
  auto w3 = LoadConfigFile(Path("w3.ini"));
  for (double v : dynamic_cast<TZyrDData&>(*w3).watt_imin) EXPECT_DOUBLE_EQ(v, 2.5);

  // Old direction keys of a master relay become a localization signal.
  Write("o.ini", Lines({"[Devices]", "Count=1", "MasterId=A:", "[Device00]", "Id=A:", "RelFu03=bafMaster",
                        "RelHarmDir03=owrVorwaerts", "RelFu04=bafMaster", "RelTransDir04=wrBeide",
                        "RelFu05=bafMaster", "RelHarmDir05=owrVorwaerts", "RelFu06=bafStatus"}));
  auto o_owner = LoadConfigFile(Path("o.ini"));
  auto& o = dynamic_cast<TZyrDData&>(*o_owner);
  EXPECT_EQ(o.defined_signals, 2);
  EXPECT_EQ(o.relays[0][2], (TOutput{bafMaster, false, mfOrtung1, 2}));
  EXPECT_EQ(o.relays[0][3], (TOutput{bafMaster, false, mfOrtung2, 3}));
  EXPECT_EQ(o.relays[0][4], (TOutput{bafMaster, false, mfOrtung1, 4}));
  EXPECT_EQ(o.relays[0][5], (TOutput{bafStatus, false, mfAus, 0}));
  EXPECT_EQ(o.relays[0][1], (TOutput{bafMaster, false, mfAus, 0}));  // all directions off

  // ZYR-DM: old single-relay function names, outputs only of the boards' sizes written.
  Write("m.ini", Lines({"[General]", "SystemType=stZYRDM", "[Devices]", "Count=1", "MasterId=B:",
                        "ZyrBIODev02=bio4_7", "ZyrDspDev04=dspSlaveI", "[Device00]", "RelFu203=bafStatus"}));
  auto m_owner = LoadConfigFile(Path("m.ini"));
  auto& m = dynamic_cast<TZyrDmData&>(*m_owner);
  EXPECT_EQ(m.relays[1][2].fu, dbafStatus);
  EXPECT_EQ(m.relays[0][0].fu, dbafStatus);
  EXPECT_EQ(m.master_id, 11);
  const std::string mt = Saved(m);
  EXPECT_NE(mt.find("RelFu207="), std::string::npos);
  EXPECT_EQ(mt.find("RelFu208="), std::string::npos);
  EXPECT_NE(mt.find("ZyrWImin41="), std::string::npos);
  EXPECT_EQ(mt.find("ZyrWImin51="), std::string::npos);
}

TEST_F(ConfigFile, RelaysAreSortedByIdentifierWithTheirSettingsAndInputChannels) {
  Write("s.ini", Lines({"[Devices]", "Count=3", "MasterId=A:", "[Device00]", "Id=C:", "DevName=\"third\"",
                        "[Device01]", "Id=A:", "DevName=\"first\"", "MRelFu07=mfWattmetrVor", "MRelChan07=9",
                        "RelFu07=bafMaster", "MRelFu08=mfWischerInfo", "MRelChan08=3", "RelFu08=bafMaster",
                        "[Device02]", "Id=B:", "DevName=\"second\"", "ConfigID=4294967297",
                        "[Transients]", "ZyrTCurRed1=33", "ZyrTCurRed5=44"}));
  auto d_owner = LoadConfigFile(Path("s.ini"));
  auto& d = dynamic_cast<TZyrDData&>(*d_owner);
  ASSERT_EQ(d.device_ids, (std::vector<uint8_t>{1, 11, 21}));
  EXPECT_EQ(d.devices[0].name, "first");
  EXPECT_EQ(d.devices[1].name, "second");
  EXPECT_EQ(d.devices[2].name, "third");
  EXPECT_EQ(d.config_ids[1], 1u);  // the low 32 bits
  // Channel 9 is input 1 of the third section (B:), which now stands at position 1.
  EXPECT_EQ(d.relays[0][6].mchan, 5);
  EXPECT_EQ(d.relays[0][7].mchan, 3);  // an info channel names no input: unchanged
  EXPECT_DOUBLE_EQ(d.cur_red[8], 33);  // C:'s inputs moved with it to position 2
  EXPECT_DOUBLE_EQ(d.cur_red[0], 44);  // A:'s inputs came from position 1
}

TEST_F(ConfigFile, AMasterThatIsNoConfiguredRelayBecomesTheFirstAndMarksTheChange) {
  Write("m.ini", Lines({"[Devices]", "Count=2", "MasterId=Z:", "[Device00]", "Id=C:", "[Device01]", "Id=B:"}));
  auto d = LoadConfigFile(Path("m.ini"));
  EXPECT_EQ(d->master_id, 11);
  EXPECT_FALSE(d->tracker.Saved());
  EXPECT_EQ(d->CaptionText(), "m - geändert");
}

TEST_F(ConfigFile, BadFilesGiveAClearMessageAndLeaveTheConfigurationAsItWas) {
  TZyrDData current;
  FillZyrD(current);
  current.file_path = Path("current.ini");
  ASSERT_TRUE(current.Save());
  const std::string before = Saved(current);
  struct Case {
    const char* name;
    std::string text;
    const char* expect;
  } const cases[] = {
      {"count.ini", Lines({"[Devices]", "Count=40"}), "40"},
      {"number.ini", Lines({"[Harmonics]", "Zyr5Imin=abc"}), "Zyr5Imin"},
      {"integer.ini", Lines({"[Harmonics]", "Zyr5MeasRpt=3.5"}), "Zyr5MeasRpt"},
      {"id.ini", Lines({"[Devices]", "Count=1", "[Device00]", "Id=AA:"}), "AA:"},
      {"twice.ini", Lines({"[Devices]", "Count=2", "[Device00]", "Id=B:", "[Device01]", "Id=b:"}), "B:"},
      {"dm.ini", Lines({"[General]", "SystemType=stZYRDM"}), "dm.ini"},
      {"truncated.ini", "[General]\r\nSystemType=stZYRD\r\n[Devices]\r\nCount=2\r\n[Device00]\r\nId=A", "A"},
      {"binary.ini", std::string("\x7f" "ELF\x02\x01\x01\0\0\0 random=bytes\n\xff\xfe", 25), "binary.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.name, c.text);
    try {
      LoadConfigInto(current, Path(c.name));
      ADD_FAILURE() << "loaded";
    } catch (const ConfigLoadError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expect), std::string::npos) << e.what();
    }
    EXPECT_EQ(Saved(current), before);
    EXPECT_EQ(current.file_path, Path("current.ini"));
  }
  EXPECT_THROW(LoadConfigInto(current, Path("missing.ini")), ConfigLoadError);
}

TEST_F(ConfigFile, SavingOverAReadOnlyFileFailsWithoutTouchingIt) {
  TZyrDData d;
  d.file_path = Write("ro.ini", "old");
  ASSERT_TRUE(SetReadOnlyFile(d.file_path));
  EXPECT_TRUE(IsReadOnlyFile(d.file_path));
  EXPECT_FALSE(d.Save());
  EXPECT_EQ(Read(d.file_path), "old");
}

TEST(DeviceList, PositionsKeepTheirRecordsAndExtraDevicesAreTakenOver) {
  TZyrDData d;
  d.SetDeviceList({"A:", "B:"});
  d.devices[1].name = "bee";
  int extra = d.AddExtraDevice(ParseDeviceId("D:"));
  EXPECT_EQ(extra, 0);
  EXPECT_EQ(d.extra_devices[0].name, "ZYR-D");
  EXPECT_EQ(d.all_ids, (std::vector<uint8_t>{1, 11, 31}));
  d.extra_devices[0].name = "dee";
  d.SetDeviceList({"d:", "B:", "C:"});
  EXPECT_EQ(d.devices[0].name, "dee");
  EXPECT_EQ(d.devices[1].name, "bee");
  EXPECT_EQ(d.devices[2].id, 21);
  EXPECT_TRUE(d.extra_devices.empty());
  EXPECT_EQ(d.IndexOfDevice(21), 2);
  EXPECT_EQ(d.IndexOfDevice(1), -1);
  EXPECT_THROW(d.SetDeviceList({"Z5:"}), ConvertError);
}
