-- What wixl cannot write, run on each package after it: one statement a line;
-- scripts/package fills in @VERSION@, @UPGRADE_CODE@ and @OTHER_ZONE_COMPONENT@ (the
-- other architecture's package's orvel-zone.exe component).
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
-- Files folder, the address saved there comes along: AppSearch finds that folder by the
-- other package's orvel-zone.exe component while it is still installed, and MoveFiles
-- copies its ca.dat before InstallFiles. An ORVEL_ADDRESS given is written afterwards
-- and wins. Nothing found, nothing copied.
CREATE TABLE `CompLocator` (`Signature_` CHAR(72) NOT NULL, `ComponentId` CHAR(38) NOT NULL, `Type` SHORT PRIMARY KEY `Signature_`)
INSERT INTO `CompLocator` (`Signature_`, `ComponentId`, `Type`) VALUES ('OtherArchitectureZone', '@OTHER_ZONE_COMPONENT@', 0)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('OtherArchitectureFolder', 'OtherArchitectureZone')
CREATE TABLE `MoveFile` (`FileKey` CHAR(72) NOT NULL, `Component_` CHAR(72) NOT NULL, `SourceName` CHAR(255) LOCALIZABLE, `DestName` CHAR(255) LOCALIZABLE, `SourceFolder` CHAR(72), `DestFolder` CHAR(72) NOT NULL, `Options` SHORT NOT NULL PRIMARY KEY `FileKey`)
INSERT INTO `MoveFile` (`FileKey`, `Component_`, `SourceName`, `DestName`, `SourceFolder`, `DestFolder`, `Options`) VALUES ('CarriedAddress', 'orvel_zone.exe', 'ca.dat', 'ca.dat', 'OtherArchitectureFolder', 'INSTALLDIR', 0)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('MoveFiles', 3800)
