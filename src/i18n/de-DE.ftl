### Files: der deutsche Katalog (de-DE).
### Variables and selector branches must match en-US structurally: the same
### message ids in the same order, the same variables, and a plural selector
### on every count.

files-time-unknown = unbekannte Zeit

## Tastenkürzel

files-shortcuts-title = Tastenkürzel
files-shortcuts-summary = Mit Dateien arbeiten, ohne die Tastatur zu verlassen
files-shortcuts-primary = Strg+C, Strg+X, Strg+V: Kopieren, Ausschneiden und Einfügen · Strg+A: Alles auswählen · Strg+Z: Verschieben in den Papierkorb rückgängig machen
files-shortcuts-navigate = Pfeiltasten, Pos1, Ende: Auswahl bewegen (mit Umschalt erweitern) · Rücktaste: einen Ordner nach oben
files-shortcuts-grid = In der Rasteransicht wechseln die Pfeiltasten zwischen den Kacheln
files-shortcuts-open = Eingabe: ausgewähltes Objekt öffnen
files-shortcuts-location = Strg+L: Ort eingeben
files-shortcuts-new-folder = Strg+Umschalt+N: neuer Ordner
files-shortcuts-edit = F2: Umbenennen · Entf: In den Papierkorb verschieben · F5: Ordner neu laden
files-shortcuts-hidden = Strg+H: versteckte Dateien anzeigen oder ausblenden
files-shortcuts-size = Strg+Plus, Strg+Minus, Strg+0: Objekte größer, kleiner oder in Standardgröße
files-shortcuts-context = Menütaste: Kontextmenü des ausgewählten Objekts
files-shortcuts-close = F1 oder ?: diese Übersicht anzeigen · Esc: schließen

## Verfügbarkeit: Aktionen und Status

files-keep-offline = Offline verfügbar halten
files-use-automatic-storage = Automatische Speicherung verwenden
files-pinned-by-parent = Durch den Ordner offline verfügbar
files-retry-download = Herunterladen erneut versuchen
files-free-local-space = Lokalen Speicher freigeben
files-no-pin-needed = Die ausgewählten Objekte sind bereits offline verfügbar
files-no-direct-pin = Keines der ausgewählten Objekte ist selbst offline verfügbar gehalten
files-keeping-offline =
    { $count ->
        [one] { $count } Objekt wird offline verfügbar gehalten
       *[other] { $count } Objekte werden offline verfügbar gehalten
    }
files-using-automatic =
    { $count ->
        [one] Automatische Speicherung für { $count } Objekt
       *[other] Automatische Speicherung für { $count } Objekte
    }
files-offline-policy-failed = Die Offline-Speicherung konnte nicht geändert werden: { $errors }
files-no-retryable-transfer = Für keines der ausgewählten Objekte lässt sich eine Übertragung wiederholen
files-retrying-transfers =
    { $count ->
        [one] { $count } Übertragung wird wiederholt
       *[other] { $count } Übertragungen werden wiederholt
    }
files-retry-failed = Die Übertragung konnte nicht wiederholt werden: { $errors }
files-no-local-space-releasable = Für keines der ausgewählten Objekte lässt sich lokaler Speicher freigeben
files-freeing-local-space =
    { $count ->
        [one] Lokaler Speicher von { $count } Objekt wird freigegeben
       *[other] Lokaler Speicher von { $count } Objekten wird freigegeben
    }
files-free-local-space-failed = Lokaler Speicher konnte nicht freigegeben werden: { $errors }
files-eviction-needs-confirmation = Einige lokale Kopien sind die einzigen; bitte vor dem Entfernen bestätigen
files-destructive-eviction-title = Einzige lokale Kopie entfernen?
files-destructive-eviction-summary =
    { $count ->
        [one] Von { $count } Objekt gibt es nirgendwo sonst eine bestätigte Kopie
       *[other] Von { $count } Objekten gibt es nirgendwo sonst eine bestätigte Kopie
    }
files-destructive-eviction-no-replica = Kein anderes Gerät und kein Server hat eine dauerhafte Kopie bestätigt.
files-destructive-eviction-loss = Nicht synchronisierte Änderungen gehen verloren.
files-destructive-eviction-protected = Offline verfügbar gehaltene Objekte sind nicht betroffen.
files-destructive-eviction-confirm = Lokale Kopie trotzdem entfernen
files-destructive-eviction-started =
    { $count ->
        [one] Die lokale Kopie von { $count } Objekt wird entfernt
       *[other] Die lokalen Kopien von { $count } Objekten werden entfernt
    }
files-permanent-delete-title =
    { $count ->
        [one] { $count } Objekt endgültig löschen?
       *[other] { $count } Objekte endgültig löschen?
    }
files-permanent-delete-summary =
    { $count ->
        [one] { $count } Objekt wird aus dem Papierkorb gelöscht
       *[other] { $count } Objekte werden aus dem Papierkorb gelöscht
    }
files-permanent-delete-loss = Dies kann nicht rückgängig gemacht werden.
files-permanent-delete-confirm = Endgültig löschen
files-empty-trash-title = Papierkorb leeren?
files-empty-trash-summary =
    { $count ->
        [one] { $count } Objekt im Papierkorb wird endgültig gelöscht
       *[other] Alle { $count } Objekte im Papierkorb werden endgültig gelöscht
    }
files-empty-trash-confirm = Papierkorb leeren

## Eigenschaften und Verfügbarkeit

files-property-collaborative-record = Gemeinsamer Datensatz: { $record }
files-property-content = Inhalt: { $hash }…
files-residency-metadata-only = nur Metadaten
files-residency-partly-local =
    { $bytes ->
        [one] teilweise lokal ({ $bytes } Byte)
       *[other] teilweise lokal ({ $bytes } Bytes)
    }
files-residency-local =
    { $bytes ->
        [one] lokal ({ $bytes } Byte)
       *[other] lokal ({ $bytes } Bytes)
    }
files-property-on-device = Auf diesem Gerät: { $state }
files-property-sharing =
    { $count ->
        [one] Freigabe: { $count } aktive Berechtigung
       *[other] Freigabe: { $count } aktive Berechtigungen
    }
files-property-history =
    { $versions ->
        [one] Verlauf: { $versions } Version
       *[other] Verlauf: { $versions } Versionen
    }
files-properties-collab-summary = Dateisystem und geprüfte gemeinsame Metadaten
files-availability-title = Verfügbarkeit – { $name }
files-availability-title-short = Verfügbarkeit
files-not-stored = Nicht auf diesem Gerät gespeichert
files-partly-stored =
    { $bytes ->
        [one] Teilweise auf diesem Gerät gespeichert ({ $bytes } Byte)
       *[other] Teilweise auf diesem Gerät gespeichert ({ $bytes } Bytes)
    }
files-stored =
    { $bytes ->
        [one] Auf diesem Gerät gespeichert ({ $bytes } Byte)
       *[other] Auf diesem Gerät gespeichert ({ $bytes } Bytes)
    }
files-kept-offline-parent = Durch einen übergeordneten Ordner offline verfügbar
files-kept-offline = Offline verfügbar
files-automatic-storage = Automatische Speicherung
files-replica-unverified = Kopien auf anderen Geräten sind noch nicht bestätigt
files-replica-counts =
    { $reachable ->
        [one] { $reachable } erreichbare Kopie
       *[other] { $reachable } erreichbare Kopien
    }, { $durable ->
        [one] { $durable } dauerhaft
       *[other] { $durable } dauerhaft
    }
files-transfer-state = Übertragung: { $state }
files-transfer-idle = ruht
files-transfer-queued = wartet
files-transfer-downloading = wird heruntergeladen
files-transfer-uploading = wird hochgeladen
files-transfer-verifying = wird geprüft

## Freigabe

files-search-collaborative-records = Gemeinsame Dateien
files-search-record-provenance = { $path } · Datensatz { $record }
files-copy-one-time-link = Einmal-Link kopieren
files-share-composer-named = Mit { $person } teilen · { $permission } · { $expiry }
files-share-composer-link = Link erstellen · { $permission } · { $expiry } · { $uses }
files-share-choice-view = darf ansehen
files-share-choice-edit = darf bearbeiten
files-share-choice-day = für einen Tag
files-share-choice-week = für eine Woche
files-share-choice-month = für einen Monat
files-share-choice-never = ohne Ablauf
files-share-choice-one-use = einmalig
files-share-choice-bounded-uses =
    { $count ->
        [one] { $count } Nutzung
       *[other] { $count } Nutzungen
    }
files-share-creating = Freigabe wird erstellt …
files-share-invalid-options = Diese Freigabeoptionen lassen sich nicht kombinieren
files-share-link-needs-expiry = Ein Freigabelink braucht ein Ablaufdatum
files-share-invalid-uses = Ein Freigabelink erlaubt eine Nutzung oder 2 bis 1000 Nutzungen
files-share-recipient-unreachable = Diese Person hat kein zertifiziertes Gerät für eine Freigabe
files-sharing-access = Freigabe und Zugriff
files-share-with = Mit { $person } teilen
files-revoke-subject = Zugriff für { $subject } entziehen
files-shared-link = den Freigabelink
files-share-link-pending = Ein Freigabelink wird noch erstellt
files-share-change-pending = Eine Änderung der Freigabe läuft noch
files-select-collaborative-file = Wählen Sie zuerst eine Datei im gemeinsamen Arbeitsbereich aus
files-select-shared-file = Wählen Sie zuerst eine freigegebene Datei aus
files-sharing-unavailable = Freigaben sind für diesen Arbeitsbereich nicht verfügbar
files-creating-one-use-link = Einmal-Link wird erstellt …
files-share-with-progress = Wird mit { $person } geteilt …
files-revoking-access = Zugriff wird entzogen …
files-not-shared = Diese Datei ist nicht freigegeben
files-anyone-link = Alle mit dem Link
files-can-view = darf ansehen
files-can-edit = darf bearbeiten
files-grant-active = aktiv
files-grant-expired = abgelaufen
files-grant-revoked = entzogen
files-grant-exhausted = aufgebraucht
files-no-expiry = ohne Ablauf
files-expires = läuft ab am { $time }
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Freigabe – { $name }
files-certified-devices = Geräte von { $person }: { $devices }
files-certified-device-detail = { $device } · Schlüssel { $fingerprint } · { $capabilities } · ausgestellt { $issued } · { $expiry }
files-device-cap-own = verwaltet Arbeitsbereiche
files-device-cap-admit = nimmt Geräte auf
files-device-cap-host = vertrauenswürdiger Host
files-device-cap-read-all = liest alle Arbeitsbereiche
files-device-cap-member = Mitglied im Arbeitsbereich
files-sharing-summary =
    { $count ->
        [one] { $count } aktive Berechtigung
       *[other] { $count } aktive Berechtigungen
    }
files-link-copied = Link in die Zwischenablage kopiert
files-share-created = Mit { $person } geteilt
files-share-created-pending = Mit { $person } geteilt; die Zustellung steht noch aus
files-share-created-delivered = Mit { $person } geteilt und zugestellt
files-access-revoked = Zugriff entzogen
files-share-inactive = Dieser Zugriff war nicht mehr aktiv

## Verlauf und Konfliktlösung

files-version-history = Versionsverlauf
files-restore-previous = Vorherige Version wiederherstellen
files-resolve-keep-current = Aktuelle Version behalten ({ $conflict })
files-resolve-use-other = Version von { $device } verwenden ({ $conflict })
files-history-version-line = { $action } · { $time } · { $person } · { $device }
files-history-older = Ältere Versionen
files-conflict-needs-review = Dieser Konflikt muss geprüft werden
files-conflict-resolved-strategy = Konflikt gelöst: { $strategy }
files-conflict-resolved = Konflikt gelöst
files-strategy-keep-current = Aktuelle Version behalten
files-strategy-use-other = Andere Version verwenden
files-strategy-keep-both = Beide Versionen behalten
files-strategy-merge = Versionen zusammenführen
files-conflict-line =
    { $count ->
        [one] Konflikt { $conflict } · { $count } andere Version
       *[other] Konflikt { $conflict } · { $count } andere Versionen
    }
files-conflict-resolve-hint = Wählen Sie, welche Version erhalten bleibt
files-conflict-unsupported-hint = Dieser Konflikt lässt sich hier nicht lösen
files-history-title = Verlauf – { $name }
files-history-summary =
    { $versions ->
        [one] { $versions } Version
       *[other] { $versions } Versionen
    }
files-history-change-pending = Eine Änderung am Verlauf läuft noch
files-select-file-with-history = Wählen Sie zuerst eine Datei mit Versionsverlauf aus
files-version-restored = Version wiederhergestellt
files-restoring-version = Version wird wiederhergestellt …
files-keeping-current = Aktuelle Version wird behalten …
files-applying-other = Andere Version wird übernommen …
files-merging-versions = Versionen werden zusammengeführt …
files-merge-review-menu = Zusammenführung prüfen …
files-merge-review-title = Zusammenführung prüfen – { $name }
files-merge-review-summary = Prüfen, ob sich beide Versionen sicher zusammenführen lassen
files-merge-review-checking = Es wird geprüft, ob sich die Versionen zusammenführen lassen …
files-merge-review-checking-detail = Während der Prüfung wird nichts geändert.
files-merge-review-safe = Die Versionen lassen sich sicher zusammenführen
files-merge-review-needs-review = Die Versionen müssen von Hand geprüft werden
files-merge-review-unavailable = Die Prüfung der Zusammenführung ist nicht verfügbar
files-merge-review-no-apply = Die Zusammenführung kann hier nicht angewendet werden.
files-merge-review-incoming = Eingehende Version von { $device }
files-merge-review-diff = Änderungen in der eingehenden Version
files-merge-review-guard = Die Zusammenführung wird nur angewendet, wenn sich die Datei seit der Prüfung nicht geändert hat.
files-merge-review-undo = Die vorherige Version bleibt im Verlauf erhalten.
files-merge-apply-safe = Sichere Zusammenführung anwenden
files-merge-apply-safe-detail = Übernimmt die eingehenden Änderungen in die aktuelle Version
files-conflict-workflow-required = Lösen Sie diesen Konflikt im Versionsverlauf
files-conflict-resolved-signed = Konflikt gelöst und signiert
files-history-change-saved = Änderung am Verlauf gespeichert
files-history-action-created = Erstellt
files-history-action-edited = Bearbeitet
files-history-action-renamed = Umbenannt
files-history-action-moved = Verschoben
files-history-action-deleted = Gelöscht
files-history-action-conflict-resolved = Konflikt gelöst
files-history-action-restored = Wiederhergestellt
files-history-action-changed = Geändert
files-history-current-version = Aktuelle Version: { $action }
files-history-timeline-detail = { $person } · { $time }
files-history-preview-title = Vorschau
files-history-compare-title = Mit aktueller Version vergleichen
files-history-selected-action = Änderung: { $action }
files-history-selected-by = Von: { $person }
files-history-selected-at = Am: { $time }
files-history-version-id = Version: { $id }
files-history-content-identity = Inhalt: { $hash }
files-history-metadata-identity = Metadaten: { $hash }
files-history-no-content = Für diese Version gibt es keine Inhaltsvorschau
files-history-compare-content = Inhalt: { $state }
files-history-compare-metadata = Metadaten: { $state }
files-history-same = wie die aktuelle Version
files-history-different = anders als die aktuelle Version
files-history-show-activity = Aktivität anzeigen
files-history-compare = Vergleichen
files-history-hide-compare = Vergleich ausblenden
files-history-restore-selected = Diese Version wiederherstellen
files-history-current-version-label = Aktuelle Version
files-history-timeline-a11y = Versionszeitleiste
files-history-timeline-a11y-item = { $action } von { $person }, { $time }

## Barrierefreie Beschreibung des gemeinsamen Zustands

files-a11y-transfer-failed = Übertragung fehlgeschlagen
files-a11y-transfer-queued = Übertragung in der Warteschlange
files-a11y-downloading = Wird heruntergeladen
files-a11y-uploading = Wird hochgeladen
files-a11y-verifying = Wird geprüft
files-a11y-online-only = Nur online
files-a11y-partly-offline = Teilweise offline verfügbar
files-a11y-available-offline = Offline verfügbar
files-a11y-kept-offline-parent = Durch einen übergeordneten Ordner offline verfügbar
files-a11y-kept-offline = Offline verfügbar gehalten
files-a11y-replica-unknown = Kopien an anderen Orten unbekannt
files-a11y-durably-replicated = Dauerhaft an anderer Stelle gesichert
files-a11y-not-durably-replicated = Noch nicht dauerhaft an anderer Stelle gesichert
files-a11y-shared-recipients =
    { $count ->
        [one] Mit { $count } Person geteilt
       *[other] Mit { $count } Personen geteilt
    }
files-a11y-version-conflict = Versionskonflikt

## Fehler und Status der Dienste und empfangenen Freigaben

files-history-encode-failed = Die Anfrage an den Verlauf konnte nicht vorbereitet werden
files-history-request-too-large = Die Anfrage an den Verlauf ist zu groß
files-history-restore-failed = Die Version konnte nicht wiederhergestellt werden: { $error }
files-conflict-strategy-unsupported = Diese Art der Konfliktlösung wird nicht unterstützt
files-conflict-encode-failed = Die Anfrage zur Konfliktlösung konnte nicht vorbereitet werden
files-conflict-request-too-large = Die Anfrage zur Konfliktlösung ist zu groß
files-conflict-resolve-failed = Der Konflikt konnte nicht gelöst werden: { $error }
files-share-wrong-response = Der Freigabedienst hat unerwartet geantwortet
files-share-runtime-failed = Die Freigabeanfrage konnte nicht gestartet werden: { $error }
files-share-unavailable-error = Der Freigabedienst ist nicht erreichbar: { $error }
files-share-encode-failed = Die Freigabeanfrage konnte nicht vorbereitet werden: { $error }
files-share-request-too-large = Die Freigabeanfrage ist zu groß
files-share-request-failed = Die Freigabeanfrage konnte nicht gesendet werden: { $error }
files-share-flush-failed = Die Freigabeanfrage konnte nicht vollständig gesendet werden: { $error }
files-share-no-response = Der Freigabedienst hat nicht geantwortet: { $error }
files-share-response-too-large = Die Antwort des Freigabedienstes ist zu groß
files-share-response-truncated = Die Antwort des Freigabedienstes ist unvollständig: { $error }
files-share-response-invalid = Die Antwort des Freigabedienstes ist ungültig: { $error }
files-share-refused = Der Freigabedienst hat die Anfrage abgelehnt ({ $code })
files-received-refused = Die freigegebene Datei wurde abgelehnt ({ $code })
files-received-retry-refused = Das erneute Öffnen der freigegebenen Datei wurde abgelehnt ({ $code })
files-received-wrong-response = Der Dienst für empfangene Dateien hat unerwartet geantwortet
files-received-runtime-failed = Die Anfrage für empfangene Dateien konnte nicht gestartet werden: { $error }
files-received-encode-failed = Die Anfrage für empfangene Dateien konnte nicht vorbereitet werden
files-received-request-too-large = Die Anfrage für empfangene Dateien ist zu groß
files-received-unavailable = Der Dienst für empfangene Dateien ist nicht verfügbar
files-received-no-response = Der Dienst für empfangene Dateien hat nicht geantwortet
files-received-response-too-large = Die Antwort des Dienstes für empfangene Dateien ist zu groß
files-received-response-truncated = Die Antwort des Dienstes für empfangene Dateien ist unvollständig
files-received-response-invalid = Die Antwort des Dienstes für empfangene Dateien ist ungültig
files-received-not-available = Freigegebene Dateien sind in dieser Sitzung nicht verfügbar
files-received-fd-clone-failed = Die Verbindung für empfangene Dateien konnte nicht übernommen werden
files-received-fd-invalid = Die Verbindung für empfangene Dateien ist ungültig
files-received-file = Freigegebene Datei geöffnet
files-received-mount-starting = Der freigegebene Ordner wird vorbereitet …
files-received-admitted = Der Zugriff auf die Freigabe wurde gewährt
files-received-link-read-failed = Der Link zur freigegebenen Datei konnte nicht gelesen werden
files-received-link-too-large = Der Link zur freigegebenen Datei ist zu lang
files-received-link-invalid-text = Der Link zur freigegebenen Datei ist kein gültiger Text
files-received-link-empty = Der Link zur freigegebenen Datei ist leer

## Programmrahmen und Navigation

files-app-title = Dateien
files-back = Zurück
files-forward = Vor
files-up = Einen Ordner nach oben
files-view-list = Liste
files-view-grid = Raster
files-sort-by = Sortieren nach
files-view-options = Ansichtsoptionen
files-path-placeholder = Pfad eingeben, z. B. ~/Dokumente
files-place-home = Persönlicher Ordner
files-place-favourites = Favoriten
files-place-favorites = Favoriten
files-place-system = System
files-place-root = Wurzelverzeichnis
files-place-trash = Papierkorb
files-place-workspace = Arbeitsbereich
files-place-documents = Dokumente
files-place-downloads = Downloads
files-place-pictures = Bilder
files-place-music = Musik
files-place-videos = Videos

## Liste, leerer Ordner, Fehler und Barrierefreiheit

files-column-name = Name
files-column-size = Größe
files-column-modified = Geändert
files-try-again = Erneut versuchen
files-loading = Wird geladen …
files-loading-folder = { $path } wird geladen …
files-loading-title = Ordner wird geöffnet
files-loading-detail = { $path } wird gelesen
files-directory-read-failed = Dieser Ordner konnte nicht geöffnet werden: { $error }
files-load-error-title = Dieser Ordner konnte nicht geöffnet werden
files-load-error-detail = { $path }: { $error }
files-a11y-load-error = Der Ordner konnte nicht geöffnet werden: { $error }
files-a11y-panel-details = { $title }. { $summary }. { $details }
files-a11y-dialog-close = { $summary }. Zum Schließen Esc drücken
files-a11y-activity = Aktivität in Dateien
files-a11y-current-folder = Aktueller Ordner: { $path }
files-a11y-places = Orte
files-a11y-favourite = Favorit
files-a11y-system-location = Systemort
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Pfadleiste
files-a11y-current-breadcrumb = Aktueller Ordner, { $path }. Zum Bearbeiten des Pfads Eingabe drücken
files-a11y-open-folder = { $path } öffnen
files-empty-trash = Der Papierkorb ist leer
files-empty-folder = Dieser Ordner ist leer
files-item-count =
    { $count ->
        [one] { $count } Objekt
       *[other] { $count } Objekte
    }
files-selected-count =
    { $count ->
        [one] { $base }  ·  { $count } ausgewählt
       *[other] { $base }  ·  { $count } ausgewählt
    }
files-a11y-list = Dateien
files-a11y-folder = Ordner
files-a11y-file = Datei, { $size }
files-new-name-placeholder = Neuer Name

## Eigenschaften

files-property-type = Typ: { $type }
files-property-location = Ort: { $location }
files-property-size = Größe: { $size }
files-property-modified = Geändert: { $time }
files-property-dimensions = Abmessungen: { $width } × { $height } px
files-property-duration = Dauer: { $duration }
files-property-pages =
    { $count ->
        [one] Seiten: { $count } Seite
       *[other] Seiten: { $count } Seiten
    }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unbekannt
files-properties-title = Eigenschaften – { $name }
files-properties-summary = Metadaten des Dateisystems

## Ergebnisse gewöhnlicher Dateioperationen

files-new-folder-default-name = Neuer Ordner
files-created-folder = Ordner erstellt
files-new-folder-failed = Der Ordner konnte nicht erstellt werden: { $error }
files-permanently-deleted =
    { $count ->
        [one] { $count } Objekt endgültig gelöscht
       *[other] { $count } Objekte endgültig gelöscht
    }
files-delete-failed = Löschen fehlgeschlagen: { $error }
files-moved-to-trash =
    { $count ->
        [one] { $count } Objekt in den Papierkorb verschoben
       *[other] { $count } Objekte in den Papierkorb verschoben
    }
files-restored =
    { $count ->
        [one] { $count } Objekt wiederhergestellt
       *[other] { $count } Objekte wiederhergestellt
    }
files-undo-move-trash = Verschieben in den Papierkorb rückgängig machen
files-undo-trash-restored =
    { $count ->
        [one] { $count } Objekt aus dem Papierkorb zurückgelegt
       *[other] { $count } Objekte aus dem Papierkorb zurückgelegt
    }
files-undo-trash-unavailable = Nichts rückgängig zu machen
files-undo-trash-failed = Verschieben in den Papierkorb konnte nicht rückgängig gemacht werden: { $error }
files-restore-failed = Wiederherstellen fehlgeschlagen: { $error }
files-trash-already-empty = Der Papierkorb ist bereits leer
files-emptied-trash =
    { $count ->
        [one] Papierkorb geleert ({ $count } Objekt)
       *[other] Papierkorb geleert ({ $count } Objekte)
    }
files-empty-trash-failed = Der Papierkorb konnte nicht geleert werden: { $error }
files-copied =
    { $count ->
        [one] { $count } Objekt kopiert
       *[other] { $count } Objekte kopiert
    }
files-cut =
    { $count ->
        [one] { $count } Objekt ausgeschnitten
       *[other] { $count } Objekte ausgeschnitten
    }
files-created-file = Datei erstellt
files-new-file-failed = Die Datei konnte nicht erstellt werden: { $error }
files-added-favourite = Zu den Favoriten hinzugefügt
files-removed-favourite = Aus den Favoriten entfernt
files-moved-with-failures =
    { $moved ->
        [one] { $moved } Objekt
       *[other] { $moved } Objekte
    } nach { $destination } verschoben; { $failed ->
        [one] { $failed } Objekt konnte nicht verschoben werden
       *[other] { $failed } Objekte konnten nicht verschoben werden
    }
files-moved-to-folder =
    { $count ->
        [one] { $count } Objekt verschoben
       *[other] { $count } Objekte verschoben
    }
files-nothing-to-move = Nichts zu verschieben
files-pasted =
    { $count ->
        [one] { $count } Objekt eingefügt
       *[other] { $count } Objekte eingefügt
    }
files-pasted-with-failures =
    { $count ->
        [one] { $count } Objekt eingefügt
       *[other] { $count } Objekte eingefügt
    }; { $failed ->
        [one] { $failed } Objekt fehlgeschlagen
       *[other] { $failed } Objekte fehlgeschlagen
    }
files-renamed = Umbenannt
files-rename-failed = Umbenennen fehlgeschlagen: { $error }

## Kontext-, Ansichts- und Sortiermenüs

files-menu-open = Öffnen
files-action-reveal = Im Ordner anzeigen
files-menu-restore = Wiederherstellen
files-menu-delete-permanently = Endgültig löschen
files-menu-empty-trash = Papierkorb leeren
files-menu-rename = Umbenennen …
files-action-rename-prompt = Neuer Name
files-menu-cut = Ausschneiden
files-menu-copy = Kopieren
files-menu-properties = Eigenschaften
files-menu-paste = Einfügen
files-menu-new-folder = Neuer Ordner
files-menu-new-file = Neue Datei  ›
files-menu-move-trash = In den Papierkorb verschieben
files-menu-add-favourite = Zu den Favoriten hinzufügen
files-menu-remove-favourite = Aus den Favoriten entfernen
files-menu-hide-hidden = Versteckte Dateien ausblenden
files-menu-show-hidden = Versteckte Dateien anzeigen
files-menu-sort-name = Nach Name sortieren
files-menu-sort-size = Nach Größe sortieren
files-menu-sort-type = Nach Typ sortieren
files-menu-sort-date = Nach Änderungsdatum sortieren
files-menu-open-terminal = Terminal hier öffnen
files-sort-name = Name
files-sort-size = Größe
files-sort-type = Typ
files-sort-date = Änderungsdatum
files-sort-ascending = Aufsteigend
files-sort-descending = Absteigend
files-new-from-template = Neu: { $name }
files-drag-items =
    { $count ->
        [one] { $count } Objekt
       *[other] { $count } Objekte
    }

## Archive

files-archive-extract = Archiv entpacken …
files-archive-extract-here = Hier entpacken
files-archive-compress = Als ZIP komprimieren
files-archive-select-compress = Wählen Sie die zu komprimierenden Objekte aus
files-archive-read-only = Archive sind bis zum Entpacken schreibgeschützt
files-archive-open-after-extract = Entpacken Sie das Archiv, um seine Dateien zu öffnen
files-archive-select = Wählen Sie ein Archiv zum Entpacken aus
files-archive-extracted =
    { $count ->
        [one] { $count } Datei entpackt
       *[other] { $count } Dateien entpackt
    }
files-archive-extracted-partial =
    { $count ->
        [one] { $count } Datei entpackt
       *[other] { $count } Dateien entpackt
    }; einige Archive sind fehlgeschlagen: { $failures }
files-archive-extract-failed = Das Archiv konnte nicht entpackt werden: { $error }
files-archive-created = { $name } erstellt
files-archive-create-failed = Das Archiv konnte nicht erstellt werden: { $error }

## Prüfung von Dateioperationen

files-folder-name-empty = Der Ordnername darf nicht leer sein
files-folder-name-slash = Der Ordnername darf kein „/“ enthalten
files-name-empty = Der Name darf nicht leer sein
files-name-slash = Der Name darf kein „/“ enthalten
files-no-parent = Dieses Objekt hat keinen übergeordneten Ordner
files-name-exists = „{ $name }“ ist bereits vorhanden
files-destination-inspect-failed = { $path } konnte nicht geprüft werden: { $error }
files-destination-names-exhausted = Kein freier Name für „{ $name }“ in { $path }
files-source-no-name = Das Objekt hat keinen Namen
files-menu-send-nearby = An Gerät in der Nähe senden …
files-action-send-nearby-device = An { $device } senden
files-nearby-send-to-device = An { $device } senden
files-nearby-select-one = Wählen Sie genau ein Objekt zum Senden aus
files-nearby-loading-devices = Geräte in der Nähe werden gesucht …
files-nearby-no-devices = Keine Geräte in der Nähe
files-nearby-choose-device = An ein Gerät in der Nähe senden
files-nearby-queueing = Senden wird vorbereitet …
files-nearby-accepted = Angenommen; das Objekt wird empfangen
files-nearby-declined = Abgelehnt
files-nearby-cancelled = Abgebrochen
files-nearby-retrying = Wird erneut versucht …
files-nearby-accept = Annehmen …
files-nearby-retry = Erneut versuchen
files-nearby-consent-detail = Das Objekt wird nur dort gespeichert, wo Sie es festlegen.
files-nearby-retry-detail = Die Übertragung kann erneut versucht werden.
files-nearby-offer-title = { $device } möchte Ihnen ein Objekt senden
files-nearby-offer-summary = { $name }
files-nearby-offer-size =
    { $bytes ->
        [one] Größe: { $bytes } Byte
       *[other] Größe: { $bytes } Bytes
    }
files-nearby-failed-title = Senden an Gerät in der Nähe fehlgeschlagen
files-nearby-failed-device = Gerät: { $device }
files-nearby-choose-destination = Speicherort wählen
files-nearby-no-destinations = Es wurde noch kein Speicherort freigegeben
files-nearby-destination-count =
    { $count ->
        [one] { $count } freigegebener Speicherort
       *[other] { $count } freigegebene Speicherorte
    }
files-nearby-save-to-destination = In { $destination } speichern
files-nearby-save-and-remember = Immer in { $destination } speichern
files-share-not-available = Freigeben ist nicht verfügbar
files-name-invalid = Dieser Name ist nicht zulässig
