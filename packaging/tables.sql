-- What wixl cannot write, run on each package after it: one statement a line;
-- scripts/package fills in @VERSION@, @UPGRADE_CODE@ and @OTHER_PROGRAM_FILES@ (the
-- folder property of the other architecture's package).
-- Names in Chinese: wixl crashes on text outside ASCII or stores it empty; here the
-- database's code page is 936 first.
UPDATE `Property` SET `Value` = 'ORVEL系统助手' WHERE `Property` = 'ProductName'
UPDATE `Property` SET `Value` = 'ORVEL 技术支持' WHERE `Property` = 'Manufacturer'
UPDATE `Shortcut` SET `Name` = 'ORVEL~1|ORVEL系统助手' WHERE `Shortcut` = 'StartMenuShortcut'
UPDATE `LaunchCondition` SET `Description` = '已安装更高版本的 ORVEL系统助手。' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'
-- Windows Installer compares only the first three fields of a version, so 1.0.0.7 and
-- 1.0.0.8 count as equal: the upgrade row includes its maximum, or a package that
-- differs only in the last field would install beside the old one.
DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('@UPGRADE_CODE@', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')
-- The address reaches the server side of a managed or elevated install.
UPDATE `Property` SET `Value` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;ORVEL_ADDRESS' WHERE `Property` = 'SecureCustomProperties'
-- When this package replaces the other architecture's, which lives in the other Program
-- Files folder, the address saved there comes along: AppSearch finds that folder's ca.dat,
-- and MoveFiles copies it before InstallFiles. An ORVEL_ADDRESS given is written afterwards
-- and wins. Nothing found, nothing copied.
CREATE TABLE `DrLocator` (`Signature_` CHAR(72) NOT NULL, `Parent` CHAR(72), `Path` CHAR(255), `Depth` SHORT PRIMARY KEY `Signature_`, `Parent`, `Path`)
INSERT INTO `Signature` (`Signature`, `FileName`) VALUES ('OtherArchitectureAddress', 'ca.dat')
INSERT INTO `DrLocator` (`Signature_`, `Path`, `Depth`) VALUES ('OtherArchitectureAddress', '[@OTHER_PROGRAM_FILES@]ORVEL', 0)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('OtherArchitectureAddress', 'OtherArchitectureAddress')
CREATE TABLE `MoveFile` (`FileKey` CHAR(72) NOT NULL, `Component_` CHAR(72) NOT NULL, `SourceName` CHAR(255) LOCALIZABLE, `DestName` CHAR(255) LOCALIZABLE, `SourceFolder` CHAR(72), `DestFolder` CHAR(72) NOT NULL, `Options` SHORT NOT NULL PRIMARY KEY `FileKey`)
INSERT INTO `MoveFile` (`FileKey`, `Component_`, `DestName`, `SourceFolder`, `DestFolder`, `Options`) VALUES ('CarriedAddress', 'orvel_zone.exe', 'ca.dat', 'OtherArchitectureAddress', 'INSTALLDIR', 0)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('MoveFiles', 3800)
