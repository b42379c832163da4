// The program's web map. The program calls three functions:
//   plotclear()             removes every marker;
//   resizeApp()             fits the map to the window after a resize;
//   plotadd(place, label)   puts a marker at the place named by the text,
//                           whose pop-up shows the HTML text `label`;
//                           returns false when the place is not known.
// Places are found in LIEUX_CONNUS (lieux.js), with no network; only the
// background tiles come from OpenStreetMap.
'use strict';

var carte = null;
var marqueurs = null;
// Places found at one position share one marker, whose pop-up lists them.
var parPosition = new Map();
// Places not found since the last plotclear(), in the order given.
var introuvables = [];
var cadragePrevu = false;
// Markers are drawn on one canvas: thousands of them would otherwise be as
// many pictures for the browser to lay out and paint at each step.
var dessin = null;
var styleMarqueur = null;

var paysParNom = new Map();   // simplified code or name -> country
var paysParCode = new Map();  // ISO three-letter code -> country
var regions = new Map();      // program region code ("IDF") -> position
var departements = new Map(); // département code ("95", "2A", "971") -> position
var nomsFrance = new Map();   // simplified name of a région or département -> position
var villes = new Map();       // "FR|95|pontoise", "FR|pontoise", "*|pontoise" -> position

// A name as compared: no accents, lower case, words separated by one blank,
// "st" and "ste" read as "saint" and "sainte".
function simplifie(texte) {
    let s = String(texte);
    // Most names are plain ASCII: decomposing them would only cost time.
    if (/[^\x00-\x7f]/.test(s)) {
        s = s.normalize('NFD').replace(/[\u0300-\u036f]/g, '')
            .replace(/œ/g, 'oe').replace(/Œ/g, 'oe').replace(/æ/g, 'ae').replace(/Æ/g, 'ae').replace(/ß/g, 'ss');
    }
    s = s.toLowerCase().replace(/[^a-z0-9]+/g, ' ').trim();
    return s.indexOf('st') < 0 ? s : s.replace(/\bst\b/g, 'saint').replace(/\bste\b/g, 'sainte');
}

function chargeLieux() {
    for (const ligne of LIEUX_CONNUS.pays.split('\n')) {
        const [a3, a2, francais, anglais, lat, lon] = ligne.split('\t');
        const p = {a3: a3, a2: a2, lat: Number(lat), lon: Number(lon)};
        paysParCode.set(a3, p);
        for (const nom of [a3, a2, francais, anglais]) {
            const cle = simplifie(nom);
            if (!paysParNom.has(cle))
                paysParNom.set(cle, p);
        }
    }
    for (const ligne of LIEUX_CONNUS.regions.split('\n')) {
        const [code, nom, lat, lon] = ligne.split('\t');
        const p = {lat: Number(lat), lon: Number(lon)};
        regions.set(code, p);
        nomsFrance.set(simplifie(nom), p);
    }
    for (const ligne of LIEUX_CONNUS.departements.split('\n')) {
        const [code, region, nom, lat, lon] = ligne.split('\t');
        const p = {lat: Number(lat), lon: Number(lon)};
        departements.set(code, p);
        nomsFrance.set(simplifie(nom), p);
    }
    // The lines come most populous first: the first town of a name wins.
    for (const ligne of LIEUX_CONNUS.villes.split('\n')) {
        const [pays, nom, lat, lon, dep] = ligne.split('\t');
        const cle = simplifie(nom);
        const p = {lat: Number(lat), lon: Number(lon)};
        for (const c of [pays + '|' + cle, '*|' + cle].concat(dep ? [pays + '|' + dep + '|' + cle] : [])) {
            if (!villes.has(c))
                villes.set(c, p);
        }
    }
}

// A commune written after its postal code ("95000 Pontoise").
function sansCode(nom) {
    return nom.replace(/^[0-9]+\s+/, '');
}

// The département codes a place text's département part or a postal code
// names: "F95" and "F95000" give 95, "F2A" 2A, "F97105" 971; postal codes
// of Corsica name both of its départements.
function departementsDe(code) {
    const c = code.toUpperCase().replace(/^F/, '');
    if (/^97[1-6]/.test(c))
        return [c.slice(0, 3)];
    if (/^2[AB]/.test(c))
        return [c.slice(0, 2)];
    if (/^20/.test(c))
        return ['2A', '2B'];
    if (/^[0-9]{2}/.test(c))
        return [c.slice(0, 2)];
    return [];
}

function ville(pays, nom, deps) {
    const cle = simplifie(sansCode(nom));
    if (!cle)
        return null;
    // A commune whose département is known is looked for there only: the
    // most populous commune of that name elsewhere would be a wrong place.
    if (deps && deps.length > 0) {
        for (const d of deps) {
            const p = villes.get(pays + '|' + d + '|' + cle);
            if (p)
                return p;
        }
        return null;
    }
    return villes.get((pays || '*') + '|' + cle) || null;
}

// The position of a place text, or null. Two forms are read: the
// program's own ("FRA,IDF,F95,Pontoise", "ITA,,,Roma", "FRA,IDF") and a
// free one ("Pontoise,France", "Pontoise,95000,France", "Rome").
function trouveLieu(texte) {
    const parties = String(texte).split(',').map(s => s.trim());
    const pays = /^[A-Z]{3}$/.test(parties[0]) ? paysParCode.get(parties[0]) : undefined;
    if (pays) {
        const deps = pays.a3 === 'FRA' ? departementsDe(parties[2] || '') : [];
        const noms = parties.slice(3, 6).filter(s => s);
        for (const nom of noms) {
            const p = ville(pays.a2, nom, deps);
            if (p)
                return p;
        }
        // A commune that is not known is not put in its département.
        if (noms.length > 0)
            return null;
        if (pays.a3 === 'FRA') {
            for (const d of deps) {
                if (departements.has(d))
                    return departements.get(d);
            }
            const region = regions.get((parties[1] || '').toUpperCase());
            if (region)
                return region;
        }
        return pays;
    }
    let noms = parties.filter(s => s);
    if (noms.length === 0)
        return null;
    let pays2 = null;
    if (noms.length > 1) {
        pays2 = paysParNom.get(simplifie(noms[noms.length - 1])) || null;
        if (pays2)
            noms.pop();
    }
    let deps = [];
    noms = noms.filter(s => {
        if (!/^[0-9]{5}$/.test(s))
            return true;
        deps = departementsDe(s);
        return false;
    });
    if (noms.length === 0)
        return pays2;
    if (!pays2 && noms.length === 1 && paysParNom.has(simplifie(noms[0])))
        return paysParNom.get(simplifie(noms[0]));
    const p = ville(pays2 ? pays2.a2 : null, noms[0], deps);
    if (p)
        return p;
    if (!pays2 || pays2.a3 === 'FRA')
        return nomsFrance.get(simplifie(noms[0])) || null;
    return null;
}

function plotclear() {
    marqueurs.clearLayers();
    parPosition.clear();
    introuvables = [];
}

function resizeApp() {
    carte.invalidateSize();
}

function plotadd(lieu, libelle) {
    const position = trouveLieu(lieu);
    if (!position) {
        if (introuvables.indexOf(String(lieu)) < 0)
            introuvables.push(String(lieu));
        return false;
    }
    const cle = position.lat + ',' + position.lon;
    let m = parPosition.get(cle);
    if (m) {
        if (m.libelles.indexOf(libelle) < 0) {
            m.libelles.push(libelle);
            m.setPopupContent(m.libelles.join('<hr/>'));
        }
    } else {
        m = L.circleMarker([position.lat, position.lon], styleMarqueur);
        m.libelles = [libelle];
        m.bindPopup(libelle);
        marqueurs.addLayer(m);
        parPosition.set(cle, m);
    }
    prevoitCadrage();
    return true;
}

// The places not found since the last plotclear().
function lieuxIntrouvables() {
    return introuvables.slice();
}

// Once a run of plotadd() calls is over, the view takes in every marker.
function prevoitCadrage() {
    if (cadragePrevu)
        return;
    cadragePrevu = true;
    setTimeout(function () {
        cadragePrevu = false;
        const liste = marqueurs.getLayers();
        if (liste.length === 1)
            carte.setView(liste[0].getLatLng(), Math.max(carte.getZoom(), 9));
        else if (liste.length > 1)
            carte.fitBounds(marqueurs.getBounds(), {padding: [30, 30], maxZoom: 9});
    }, 0);
}

function demarre() {
    chargeLieux();
    dessin = L.canvas({padding: 0.5});
    styleMarqueur = {renderer: dessin, radius: 7, weight: 2, color: '#7a1010', fillColor: '#e03030', fillOpacity: 0.9};
    carte = L.map('carte', {worldCopyJump: true, renderer: dessin});
    L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {
        maxZoom: 19,
        attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a>'
            + ' | lieux : GeoNames, INSEE',
    }).addTo(carte);
    marqueurs = L.featureGroup().addTo(carte);
    const pos = new URLSearchParams(location.search).get('pos');
    const depart = (pos && trouveLieu(pos)) || {lat: 46.6, lon: 2.4};
    carte.setView([depart.lat, depart.lon], 6);
}
