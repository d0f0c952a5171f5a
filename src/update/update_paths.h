#pragma once
// Where the web update reads and writes, locally and on the update server.
// The literals keep the letter cases the application has always written;
// file names are matched without regard to case.
#include <string>

namespace trev::paths {

inline const std::string kTemp = "C:\\Velor\\TREVALMONTE\\TEMP\\";
inline const std::string kVersionList = kTemp + "versao.cfg";
inline const std::string kAddOnCatalogue = kTemp + "descricaoAD.cfg";
inline const std::string kInstalledVersion = "C:\\Velor\\TREVALMONTE\\TXT\\trev_versao.txt";
inline const std::string kSqlFolder = kTemp + "SQL\\";
inline const std::string kScriptList = kSqlFolder + "lista.txt";
inline const std::string kMasterList = kSqlFolder + "ListaMestre.txt";
inline const std::string kExecutableList = kTemp + "lista.txt";
inline const std::string kAddOnFolder = "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\";
inline const std::string kHelpPage = "C:\\VELOR\\TREVALMONTE\\TEMP\\AJU001.HTML";
inline const std::string kUpdateLog = "C:\\VELOR\\TREVALMONTE\\TEMP\\ATUALIZACAO.LOG";
inline const std::string kUpdateLogOld = "C:\\VELOR\\TREVALMONTE\\TEMP\\ATUALIZACAO.OLD.LOG";
inline const std::string kManifest = kTemp + "manifesto.cfg";
inline const std::string kManifestSignature = kTemp + "manifesto.sig";
// The sequence of the last manifest this installation accepted.
inline const std::string kAcceptedSequence = "C:\\VELOR\\TREVALMONTE\\CONFIG\\manifesto_aceito.cfg";

// The business application's own files, read (MENU.CFG is appended to). LOCAL_BD.CFG is
// looked for by one spelling and read by another, as the application has always done.
inline const std::string kDatabaseLogin = "C:\\VELOR\\TREVALMONTE\\CONFIG\\fire.cfg";
inline const std::string kDatabaseFolderLookedFor = "C:\\Velor\\TREVALMONTE\\Config\\local_BD.CFG";
inline const std::string kDatabaseFolder = "C:\\VELOR\\TREVALMONTE\\CONFIG\\LOCAL_BD.CFG";
inline const std::string kServerAddress = "C:\\Velor\\TREVALMONTE\\Config\\IP.CFG";
inline const std::string kMenu = "C:\\VELOR\\TREVALMONTE\\CONFIG\\MENU.CFG";
// The database's folder when LOCAL_BD.CFG names none.
inline const std::string kDefaultDataFolder = "C:\\VELOR\\TREVALMONTE";

inline const std::string kRemoteRoot = "/download/atualiza/";
inline const std::string kRemoteManifest = kRemoteRoot + "manifesto.cfg";
inline const std::string kRemoteManifestSignature = kRemoteRoot + "manifesto.sig";
inline const std::string kRemoteVersions = "/download/atualiza/versao/";
inline const std::string kRemoteAddOns = "/download/atualiza/adicionais/";
inline const std::string kRemoteAddOnCatalogue = kRemoteAddOns + "descricao.cfg";
inline const std::string kRemoteExecutables = "/download/atualiza/exe/";

}  // namespace trev::paths
